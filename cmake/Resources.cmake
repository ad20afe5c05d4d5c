# brainwheel_add_resources(<target> TYPE ID FILE [TYPE ID FILE ...])
#
# Builds the listed files into the target as its module resources, found at
# run time by type string and number (FindResourceA). FILE is relative to the
# calling folder.
function(brainwheel_add_resources target)
  message(FATAL_ERROR "brainwheel_add_resources is not written yet")
endfunction()
