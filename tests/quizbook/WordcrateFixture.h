#pragma once
// A private registry with the quiz book library registered in it, and its
// books created by programmatic name as the game creates them.
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "interfaces/QuizBook.h"

#include "RunProgram.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class WordcrateFixture : public ::testing::Test {
protected:
    static std::filesystem::path LibraryPath() { return TestEnvironment::BinDir() / "Wordcrate.so"; }

    void SetUp() override { Register(LibraryPath()); }
    // Objects are gone by now, so the library may unload before the next test.
    void TearDown() override { CoFreeUnusedLibraries(); }

    void Register(const std::filesystem::path& module, const std::string& flags = "-s")
    {
        const ProgramResult result = RunProgram(env, "regsvr", flags + " " + module.string());
        ASSERT_EQ(result.status, 0) << result.err;
    }

    static CComPtr<IQuizBook> Create(const std::u16string& progId)
    {
        CComPtr<IQuizBook> book;
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(progId.c_str(), &clsid), S_OK);
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IQuizBook, reinterpret_cast<void**>(&book)), S_OK);
        return book;
    }

    static std::u16string Document(IQuizBook* book, LONG questionId)
    {
        CComBSTR xml;
        EXPECT_EQ(book->GetQuestionXml(questionId, &xml), S_OK);
        return xml.str();
    }

    TestEnvironment env;
};
