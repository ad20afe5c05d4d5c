"""Where the console's controls sit on its 520 x 500 background, in pixels
(left, top, width, height). The console lays its children out in dialog
units at 1.5 x 1.625 pixels a unit; these are the rounded results, and the
skin is drawn so that each control lands on its own piece of it."""

SKIN_SIZE = (520, 500)

TITLE = (29, 18, 340, 26)
CENTRE = (14, 53, 354, 213)
LADDER = (372, 10, 138, 257)
COUNTDOWN = (15, 275, 494, 8)
LIVES = (15, 286, 125, 40)          # the clip is 40 high; the control 39
LIFELINE_5050 = (368, 286, 65, 37)
LIFELINE_ANSWER = (436, 286, 65, 37)
QUESTION = (73, 335, 375, 55)
OPTION_SIZE = (228, 36)
OPTIONS = {"A": (23, 400), "B": (269, 400), "C": (23, 444), "D": (269, 444)}
OPTION_LABEL = (46, 5, 159, 26)     # inside an option frame

# The centre box shows a picture no larger than itself, centred; a result
# image of 135 x 138 lands here.
RESULT_MARK_AT = (123, 90)
RESULT_MARK_SIZE = (135, 138)
RESULT_BANNER_SIZE = (355, 218)


def edges(rect):
    """(left, top, right, bottom) with right and bottom exclusive."""
    x, y, w, h = rect
    return x, y, x + w, y + h
