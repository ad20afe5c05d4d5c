#include "com/Bstr.h"
#include "com/ComTypes.h"
#include "com/Variant.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID kCoFrench1 = {0x79A68F9B, 0x6373, 0x47B9, {0xA1, 0xFD, 0x9A, 0xB1, 0x23, 0x06, 0xAE, 0xAD}};

TEST(GuidTest, RegistryFormBothWays)
{
    EXPECT_EQ(GuidToString(kCoFrench1), "{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}");

    GUID parsed{};
    ASSERT_TRUE(GuidFromString("{79a68f9b-6373-47b9-a1fd-9ab12306aead}", parsed));
    EXPECT_EQ(parsed, kCoFrench1);

    OLECHAR wide[39];
    ASSERT_EQ(StringFromGUID2(kCoFrench1, wide, 39), 39);
    EXPECT_EQ(std::u16string(wide), u"{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}");
    EXPECT_EQ(StringFromGUID2(kCoFrench1, wide, 38), 0);
    CLSID back{};
    ASSERT_EQ(CLSIDFromString(wide, &back), S_OK);
    EXPECT_EQ(back, kCoFrench1);
}

TEST(GuidTest, RejectsTextNotInRegistryForm)
{
    GUID g{};
    for (const char* text : {"79A68F9B-6373-47B9-A1FD-9AB12306AEAD", "{79A68F9B-6373-47B9-A1FD-9AB12306AEA}",
                             "{79A68F9B-6373-47B9-A1FD-9AB12306AEADX}", "{79A68F9B_6373-47B9-A1FD-9AB12306AEAD}",
                             "{79A68F9B-6373-47B9-A1FD-9AB12306AEAG}", ""})
        EXPECT_FALSE(GuidFromString(text, g)) << text;
    EXPECT_EQ(CLSIDFromString(u"{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}\u00e9", &g), CO_E_CLASSSTRING);
}

TEST(BstrTest, KeepsLengthAndEmbeddedZeros)
{
    const char16_t text[] = {u'a', 0, u'b'};
    CComBSTR held(std::u16string_view(text, 3));
    EXPECT_EQ(held.Length(), 3u);
    EXPECT_EQ(held.str(), std::u16string(text, 3));
    EXPECT_EQ(held[3], 0);  // terminated after the last character

    CComBSTR copy = held;
    EXPECT_NE(static_cast<BSTR>(copy), static_cast<BSTR>(held));
    EXPECT_EQ(copy.str(), held.str());
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_TRUE(CComBSTR().IsEmpty());
}

TEST(VariantTest, ShortEventArgumentReadsAsBoolAndAsShort)
{
    // Events declared with BOOL or short arguments arrive as 16-bit integers.
    const CComVariant truth = CComVariant::I2(1);
    CComVariant asBool;
    ASSERT_EQ(VariantChangeType(&asBool, &truth, 0, VT_BOOL), S_OK);
    EXPECT_EQ(asBool.boolVal, VARIANT_TRUE);

    const CComVariant negative = CComVariant::I2(-3);
    CComVariant asLong;
    ASSERT_EQ(VariantChangeType(&asLong, &negative, 0, VT_I4), S_OK);
    EXPECT_EQ(asLong.lVal, -3);

    const CComVariant big = CComVariant::I4(40000);
    CComVariant asShort;
    EXPECT_EQ(VariantChangeType(&asShort, &big, 0, VT_I2), DISP_E_OVERFLOW);
    const CComVariant falseBool = CComVariant::Bool(false);
    ASSERT_EQ(VariantChangeType(&asShort, &falseBool, 0, VT_I2), S_OK);
    EXPECT_EQ(asShort.iVal, 0);
}

TEST(VariantTest, TextAndNumbersConvert)
{
    const CComVariant digits = CComVariant::Text(u"-17");
    CComVariant number;
    ASSERT_EQ(VariantChangeType(&number, &digits, 0, VT_I4), S_OK);
    EXPECT_EQ(number.lVal, -17);

    const CComVariant words = CComVariant::Text(u"12 apples");
    EXPECT_EQ(VariantChangeType(&number, &words, 0, VT_I4), DISP_E_TYPEMISMATCH);

    CComVariant text;
    ASSERT_EQ(VariantChangeType(&text, &number, 0, VT_BSTR), S_OK);
    EXPECT_EQ(std::u16string(text.bstrVal), u"-17");

    // Each type takes its own whole range and not one past either end.
    const struct {
        const char16_t* text;
        VARTYPE vt;
        HRESULT expected;
    } ranges[] = {
        {u"4294967295", VT_UI4, S_OK}, {u"4294967296", VT_UI4, DISP_E_OVERFLOW}, {u"-1", VT_UI4, DISP_E_OVERFLOW},
        {u"2147483647", VT_I4, S_OK},  {u"2147483648", VT_I4, DISP_E_OVERFLOW},  {u"-2147483648", VT_I4, S_OK},
        {u"-32768", VT_I2, S_OK},      {u"32768", VT_I2, DISP_E_OVERFLOW},       {u"-32769", VT_I2, DISP_E_OVERFLOW},
    };
    for (const auto& r : ranges) {
        const CComVariant source = CComVariant::Text(r.text);
        CComVariant converted;
        EXPECT_EQ(VariantChangeType(&converted, &source, 0, r.vt), r.expected) << std::string(r.text, r.text + 11);
    }
}

} // namespace
