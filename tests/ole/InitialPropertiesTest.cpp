// Initial properties written as template text: a composite's children are
// made with exactly the properties their PROPS lines give, read back through
// dispatch, and every line that cannot be applied is reported with the
// template and its line.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"
#include "ole/InitialProperties.h"
#include "ole/Persist.h"
#include "ole/Stream.h"

#include "ControlModule.h"
#include "WarningRecorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstring>
#include <QWidget>

namespace {

using InitialPropertiesTest = ControlModuleTest;

// The property `name` of `control`, read by name through IDispatch.
CComVariant Read(IDispatch* control, const char16_t* name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    EXPECT_EQ(control->GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    CComVariant value;
    EXPECT_EQ(control->Invoke(id, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr), S_OK);
    return value;
}

// The one CONTROL of a template made of `props` lines under a sample control.
DialogItem SampleItem(const std::string& props)
{
    const std::string text = "DIALOG 100 100\nCONTROL {3F6C2E10-5A7B-4C3D-8E91-1A2B3C4D5E60} 1 0 0 20 10\n" + props;
    CDialogTemplate dialog;
    std::string error;
    EXPECT_TRUE(CDialogTemplate::Parse(text, dialog, error)) << error;
    return dialog.Items().empty() ? DialogItem() : dialog.Items()[0];
}

TEST_F(InitialPropertiesTest, AChildIsMadeWithExactlyItsLinesAndWrongLinesAreReported)
{
    CWarningRecorder warnings;
    CControlHost host;
    ASSERT_EQ(host.Create(CLSID_SampleOuter, &parent, QRect(0, 0, 522, 499), nullptr, true), S_OK);
    CComPtr<ISampleComposite> outer;
    host.QueryControl(IID_ISampleComposite, reinterpret_cast<void**>(&outer));
    CComPtr<IDispatch> child;
    ASSERT_EQ(outer->GetChild(302, &child), S_OK);
    ASSERT_TRUE(child);

    EXPECT_EQ(Read(child, u"Enabled").boolVal, VARIANT_FALSE);
    EXPECT_EQ(Read(child, u"BackColor").ulVal, 0x00D7FFu);
    EXPECT_EQ(Read(child, u"Count").lVal, -7) << "the wrong Count line after it changed nothing";
    const CComVariant caption = Read(child, u"Caption");
    EXPECT_EQ(std::u16string(caption.bstrVal, SysStringLen(caption.bstrVal)), u"Round 2: Les Animaux");
    EXPECT_EQ(Read(child, u"Picture").pdispVal, nullptr);
    const CComVariant font = Read(child, u"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    FONTDESC bold;
    bold.cySize.int64 = 97500;
    bold.sWeight = 700;
    bold.sCharset = 0;
    bold.fItalic = TRUE;
    CComPtr<IFont> expected, loaded;
    OleCreateFontIndirect(bold, IID_IFont, reinterpret_cast<void**>(&expected));
    font.pdispVal->QueryInterface(IID_IFont, reinterpret_cast<void**>(&loaded));
    EXPECT_EQ(expected->IsEqual(loaded), S_OK);

    EXPECT_EQ(warnings.Warnings(),
              (std::vector<std::string>{
                  "OleTestControls.so DIALOG 401: line 15: Colour: the control has no property Colour",
                  "OleTestControls.so DIALOG 401: line 16: Count: expected a 32-bit number"}));
    host.Close();
}

TEST_F(InitialPropertiesTest, EachKindTakesItsOwnValuesAndNothingElse)
{
    struct Case {
        std::string line;
        const char16_t* property;
        CComVariant expected;  // VT_EMPTY: the line is refused
    };
    const Case cases[] = {
        {"PROPS enabled 5", u"Enabled", CComVariant::Bool(true)},
        {"PROPS Enabled false", u"Enabled", CComVariant::Bool(false)},
        {"PROPS Enabled maybe", u"Enabled", {}},
        {"PROPS BackColor 0xFFFFFFFF", u"BackColor", CComVariant::UI4(0xFFFFFFFF)},
        {"PROPS BackColor 0x1FFFFFFFF", u"BackColor", {}},
        {"PROPS BackColor -1", u"BackColor", {}},
        {"PROPS Count 0x7FFFFFFF", u"Count", CComVariant::I4(0x7FFFFFFF)},
        {"PROPS Count -2147483648", u"Count", CComVariant::I4(INT32_MIN)},
        {"PROPS Count -2147483649", u"Count", {}},
        {"PROPS Count 1 2", u"Count", {}},
        {"PROPS Caption \"NONE\"", u"Caption", CComVariant::Text(u"NONE")},
        {"PROPS Caption NONE", u"Caption", CComVariant::Text(u"")},
        {"PROPS Caption \"Déjà vu\"", u"Caption", CComVariant::Text(u"Déjà vu")},
        {"PROPS Caption two words", u"Caption", {}},
        {"PROPS Font \"Arial\" 0", u"Font", {}},
        {"PROPS Font \"Arial\" 9 400 0 BOLD", u"Font", {}},
        {"PROPS Font 9.75", u"Font", {}},
        {"PROPS Picture \"skin.bmp\"", u"Picture", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CComPtr<IDispatch> control = CreateControl<IDispatch>(CLSID_SampleCtrl, IID_IDispatch);
        std::vector<BYTE> stream;
        std::vector<std::string> faults;
        ASSERT_EQ(CInitialProperties::Write(control, SampleItem(c.line), stream, faults), S_OK);
        EXPECT_EQ(faults.size(), c.expected.vt == VT_EMPTY ? 1u : 0u);
        if (!faults.empty()) {
            EXPECT_EQ(faults[0].rfind("line 3: ", 0), 0u) << faults[0];
        }
        if (c.expected.vt == VT_EMPTY) continue;
        CComPtr<IPersistStreamInit> persist;
        control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
        CComPtr<IStream> data;
        CreateStreamOnMemory(stream, &data);
        ASSERT_EQ(persist->Load(data), S_OK);
        CComVariant value = Read(control, c.property), expected;
        VariantChangeType(&expected, &c.expected, 0, value.vt);
        if (value.vt == VT_BSTR)
            EXPECT_EQ(std::u16string(value.bstrVal, SysStringLen(value.bstrVal)),
                      std::u16string(expected.bstrVal, SysStringLen(expected.bstrVal)));
        else
            EXPECT_EQ(value.lVal & 0xFFFF, expected.lVal & 0xFFFF);
    }
}

TEST_F(InitialPropertiesTest, TheExtentIsTheLineOrElseTheControlsSize)
{
    CComPtr<IDispatch> control = CreateControl<IDispatch>(CLSID_SampleCtrl, IID_IDispatch);
    const auto extent = [&](const std::string& props) {
        std::vector<BYTE> stream;
        std::vector<std::string> faults;
        EXPECT_EQ(CInitialProperties::Write(control, SampleItem(props), stream, faults), S_OK);
        EXPECT_GE(stream.size(), 12u);
        std::int32_t cx = 0, cy = 0;
        std::memcpy(&cx, stream.data() + 4, 4);
        std::memcpy(&cy, stream.data() + 8, 4);
        return std::pair(cx, cy);
    };
    EXPECT_EQ(extent("PROPS Extent 1720 953"), std::pair(1720, 953));
    // 20 x 10 dialog units are 30 x 16 pixels, 794 x 423 HIMETRIC.
    EXPECT_EQ(extent("PROPS Count 1"), std::pair(794, 423));
}

TEST(InitialPropertiesTemplate, MisplacedOrMalformedLinesFailTheTemplateWithTheirLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"DIALOG 10 10\nPROPS Count 1\n", "line 2: PROPS without a hosted CONTROL above it"},
        {"DIALOG 10 10\nCONTROL SysAnimate32 1 0 0 5 5\nPROPS Count 1\n",
         "line 3: PROPS without a hosted CONTROL above it"},
        {"DIALOG 10 10\nCONTROL {3F6C2E10-5A7B-4C3D-8E91-1A2B3C4D5E60} 1 0 0 5 5\nPROPS Count\n",
         "line 3: expected PROPS <property> <value>"},
        {"DIALOG 10 10\nCONTROL {3F6C2E10-5A7B-4C3D-8E91-1A2B3C4D5E60} 1 0 0 5 5\n\nprops extent 1 -2\n",
         "line 4: expected PROPS Extent <width> <height> in HIMETRIC"},
    };
    for (const auto& [text, message] : cases) {
        CDialogTemplate dialog;
        std::string error;
        EXPECT_FALSE(CDialogTemplate::Parse(text, dialog, error));
        EXPECT_EQ(error, message);
    }
}

}  // namespace
