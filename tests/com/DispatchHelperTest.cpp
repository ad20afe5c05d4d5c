#include "com/DispatchHelper.h"

#include "com/ComPtr.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

constexpr IID IID_IQuizLike = {0xBBF918EA, 0xB64C, 0x4B54, {0x81, 0xD2, 0x12, 0x28, 0xB6, 0xEA, 0xDF, 0xB2}};

const MEMBERDESC kMembers[] = {
    {1, u"GetQuestionXml", INVOKE_FUNC, 1, u"method GetQuestionXml"},
    {2, u"GetPicture", INVOKE_FUNC, 1, u"method GetPicture"},
    {3, u"QuizTitle", INVOKE_PROPERTYGET, 0, u"property QuizTitle"},
};

const CDispatchHelper g_dispatch(IID_IQuizLike, kMembers);

TEST(DispatchHelperTest, NamesLookUpWithoutRegardToCase)
{
    OLECHAR title[] = u"quiztitle";
    OLECHAR picture[] = u"GETPICTURE";
    OLECHAR unknown[] = u"QuizTitles";
    LPOLESTR names[] = {title, picture, unknown};
    DISPID ids[3] = {0, 0, 0};
    EXPECT_EQ(g_dispatch.GetIDsOfNames(GUID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 3);
    EXPECT_EQ(ids[1], 2);

    EXPECT_EQ(g_dispatch.GetIDsOfNames(GUID_NULL, names, 3, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
}

TEST(DispatchHelperTest, TypeInfoDescribesTheMembers)
{
    UINT count = 0;
    ASSERT_EQ(g_dispatch.GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    CComPtr<ITypeInfo> info;
    EXPECT_EQ(g_dispatch.GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    ASSERT_EQ(g_dispatch.GetTypeInfo(0, 0, &info), S_OK);

    GUID iid{};
    ASSERT_EQ(info->GetGuid(&iid), S_OK);
    EXPECT_EQ(iid, IID_IQuizLike);
    ASSERT_EQ(info->GetMemberCount(&count), S_OK);
    EXPECT_EQ(count, std::size(kMembers));
    MEMBERDESC desc{};
    ASSERT_EQ(info->GetMemberDesc(2, &desc), S_OK);
    EXPECT_EQ(desc.memid, 3);
    EXPECT_EQ(desc.invkind, INVOKE_PROPERTYGET);
    EXPECT_EQ(std::u16string(desc.name), u"QuizTitle");
    EXPECT_EQ(info->GetMemberDesc(3, &desc), TYPE_E_ELEMENTNOTFOUND);

    CComBSTR name, help;
    ASSERT_EQ(info->GetDocumentation(2, &name, &help), S_OK);
    EXPECT_EQ(name.str(), u"GetPicture");
    EXPECT_EQ(help.str(), u"method GetPicture");
    EXPECT_EQ(info->GetDocumentation(9, &name, nullptr), TYPE_E_ELEMENTNOTFOUND);

    OLECHAR xml[] = u"getquestionxml";
    LPOLESTR names[] = {xml};
    DISPID id = 0;
    ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 1);
}

TEST(DispatchHelperTest, ArgumentsByPositionWithConversion)
{
    // Invoke receives its arguments last first.
    CComVariant args[] = {CComVariant::Text(u"309"), CComVariant::I2(1)};
    DISPPARAMS params;
    params.rgvarg = args;
    params.cArgs = 2;

    CComVariant value;
    ASSERT_EQ(CDispatchHelper::GetArgument(&params, 0, VT_BOOL, value), S_OK);
    EXPECT_EQ(value.boolVal, VARIANT_TRUE);
    ASSERT_EQ(CDispatchHelper::GetArgument(&params, 1, VT_I4, value), S_OK);
    EXPECT_EQ(value.lVal, 309);
    EXPECT_EQ(CDispatchHelper::GetArgument(&params, 2, VT_I4, value), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CDispatchHelper::GetArgument(&params, 0, VT_UNKNOWN, value), DISP_E_TYPEMISMATCH);
}

} // namespace
