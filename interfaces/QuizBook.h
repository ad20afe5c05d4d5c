#pragma once
// IQuizBook: what a quiz book component offers the game program. A dual
// interface: its own slots follow the seven of IDispatch in the order below,
// and the same members answer IDispatch::Invoke by dispatch id.
#include "com/Bstr.h"
#include "com/Unknown.h"
#include "ole/Picture.h"

constexpr IID IID_IQuizBook = {0xBBF918EA, 0xB64C, 0x4B54, {0x81, 0xD2, 0x12, 0x28, 0xB6, 0xEA, 0xDF, 0xB2}};

constexpr DISPID DISPID_QUIZBOOK_GETQUESTIONXML = 1;
constexpr DISPID DISPID_QUIZBOOK_GETPICTURE = 2;
constexpr DISPID DISPID_QUIZBOOK_QUIZTITLE = 3;

struct IQuizBook : IDispatch {
    // "method GetQuestionXml": the whole quiz document.
    virtual HRESULT GetQuestionXml(LONG QuestionID, BSTR* QuestionsXml) = 0;
    // "method GetPicture": the picture a Picture element names, or none.
    virtual HRESULT GetPicture(BSTR PictureID, IPictureDisp** Picture) = 0;
    // "property QuizTitle": the title shown in the list of books.
    virtual HRESULT get_QuizTitle(BSTR* pVal) = 0;
};

// The type library of the quiz book library and its four classes.
constexpr GUID LIBID_WordcrateLib = {0x0CF74BFC, 0xF86F, 0x4D53, {0xA7, 0x9D, 0x29, 0xC8, 0x01, 0x4C, 0xB8, 0xE7}};
constexpr CLSID CLSID_CoFrench1 = {0x79A68F9B, 0x6373, 0x47B9, {0xA1, 0xFD, 0x9A, 0xB1, 0x23, 0x06, 0xAE, 0xAD}};
constexpr CLSID CLSID_CoFrench2 = {0x2D33330F, 0xB8B1, 0x4988, {0xA0, 0x5E, 0x67, 0xBB, 0x1B, 0xE9, 0x02, 0x52}};
constexpr CLSID CLSID_CoFrench3 = {0x01950C11, 0xD43F, 0x4748, {0x8E, 0x4A, 0x96, 0x27, 0x86, 0x4D, 0xF5, 0xCF}};
constexpr CLSID CLSID_CoFrench4 = {0xF4CCD3D8, 0xFB81, 0x41F7, {0x99, 0xE6, 0x6D, 0xB2, 0x80, 0xC2, 0x91, 0xF2}};
