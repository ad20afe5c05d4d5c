#pragma once
// The game program's interfaces: the automation application object that
// "thebrainwheel.Application" names and its type library, version 1.0.
#include "com/Unknown.h"

constexpr GUID LIBID_thebrainwheel = {0xFC230F47, 0x26F2, 0x4F1C, {0xAF, 0xCF, 0x76, 0xCF, 0x35, 0x17, 0x4A, 0x8B}};

// A pure dispatch interface with no methods and no properties: the program
// offers itself for automation but has nothing to drive yet.
constexpr IID IID_Ithebrainwheel = {0xB5412B50, 0xA868, 0x437C, {0xA5, 0x2C, 0x2B, 0xAE, 0xC7, 0x36, 0xB3, 0x7B}};

struct Ithebrainwheel : IDispatch {};

constexpr CLSID CLSID_thebrainwheel = {0x908F2E91, 0x5D4B, 0x421A, {0xB1, 0x32, 0x81, 0x76, 0x12, 0xEB, 0xEA, 0xDA}};
constexpr const char16_t* PROGID_thebrainwheel = u"thebrainwheel.Application";
