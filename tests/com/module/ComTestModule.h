#pragma once
// What the tests and the small component module built for them share: the
// class it serves and that class's one interface.
#include "com/Unknown.h"

constexpr CLSID CLSID_ComTestThing = {0x5E1F0C3A, 0x8B27, 0x4D6E, {0x9C, 0x41, 0x2A, 0x7B, 0x63, 0xD0, 0x18, 0xF5}};
constexpr IID IID_ITestThing = {0x5E1F0C3B, 0x8B27, 0x4D6E, {0x9C, 0x41, 0x2A, 0x7B, 0x63, 0xD0, 0x18, 0xF5}};

struct ITestThing : IUnknown {
    virtual HRESULT GetAnswer(LONG* answer) = 0;
};
