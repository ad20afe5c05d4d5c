// The list of quiz books, found by trying numbered programmatic names through
// the registry as the welcome dialog does.
#include "QuizBookCatalogue.h"

#include "RunProgram.h"
#include "TestEnvironment.h"
#include "com/ComRuntime.h"
#include "com/Registry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TEST(QuizBookCatalogueTest, BookNameTakesOnlyTheFirstNumberAndNeverFormats)
{
    const struct {
        const char* pattern;
        int number;
        const char* name;
    } cases[] = {
        {"Tavorin.Quiz%d", 1, "Tavorin.Quiz1"},
        {"Tavorin.Quiz%d", 999, "Tavorin.Quiz999"},
        {"Tavorin.100%%%d", 7, "Tavorin.100%7"},
        {"Tavorin.%d.%d", 3, "Tavorin.3.%d"},
        {"Tavorin.%s%n%d", 2, "Tavorin.%s%n2"},
        {"Tavorin.Quiz%", 5, "Tavorin.Quiz%"},
        {"Tavorin.Quiz", 5, "Tavorin.Quiz"},
    };
    for (const auto& c : cases) EXPECT_EQ(CQuizBookCatalogue::BookName(c.pattern, c.number), c.name) << c.pattern;
}

constexpr CLSID CLSID_FixtureBook = {0x6B0A3E52, 0x1D7C, 0x4E8B, {0x9A, 0x55, 0x0F, 0x3C, 0x2D, 0x1E, 0x4B, 0x61}};
// Its title fails.
constexpr CLSID CLSID_FailingBook = {0x6B0A3E52, 0x1D7C, 0x4E8B, {0x9A, 0x55, 0x0F, 0x3C, 0x2D, 0x1E, 0x4B, 0x62}};
// Named in the registry, but no module serves it.
constexpr CLSID CLSID_GoneBook = {0x6B0A3E52, 0x1D7C, 0x4E8B, {0x9A, 0x55, 0x0F, 0x3C, 0x2D, 0x1E, 0x4B, 0x63}};

using Entries = std::vector<std::pair<std::string, std::string>>;  // title, name

TEST(QuizBookCatalogueTest, ListsEveryBookThatCanBeCreatedInNumberOrder)
{
    const struct {
        const char* what;
        const char* module;
        std::vector<std::pair<std::string, CLSID>> names;
        const char* pattern;
        Entries entries;
    } cases[] = {
        {"gaps, twins, a gone class, a failing title, the last number and one past it",
         "FixtureBook.so",
         {{"Tavorin.Test1", CLSID_FixtureBook},
          {"Tavorin.Test2", CLSID_FixtureBook},
          {"Tavorin.Test3", CLSID_GoneBook},
          {"Tavorin.Test4", CLSID_FailingBook},
          {"Tavorin.Test999", CLSID_FixtureBook},
          {"Tavorin.Test1000", CLSID_FixtureBook}},
         "Tavorin.Test%d",
         {{"Fixture Quiz", "Tavorin.Test1"},
          {"Fixture Quiz", "Tavorin.Test2"},
          {"", "Tavorin.Test4"},
          {"Fixture Quiz", "Tavorin.Test999"}}},
        {"the default pattern finds no French course", "Wordcrate.so", {}, "Tavorin.Quiz%d", {}},
        {"the French course",
         "Wordcrate.so",
         {},
         "Tavorin.CoFrench%d",
         {{"Beginner Stage 1", "Tavorin.CoFrench1"},
          {"Beginner Stage 2", "Tavorin.CoFrench2"},
          {"Beginner Stage 3", "Tavorin.CoFrench3"},
          {"Revision 1", "Tavorin.CoFrench4"}}},
        {"names are looked up without regard to case",
         "Wordcrate.so",
         {},
         "Tavorin.cofrench%d",
         {{"Beginner Stage 1", "Tavorin.cofrench1"},
          {"Beginner Stage 2", "Tavorin.cofrench2"},
          {"Beginner Stage 3", "Tavorin.cofrench3"},
          {"Revision 1", "Tavorin.cofrench4"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        const ProgramResult registered = RunProgram(env, "regsvr", "-s " + (TestEnvironment::BinDir() / c.module).string());
        ASSERT_EQ(registered.status, 0) << registered.err;
        ASSERT_EQ(CRegistry::Edit([&](CRegistryData& data) {
                      for (const auto& [name, clsid] : c.names)
                          if (const HRESULT hr = data.SetValue("HKEY_CLASSES_ROOT\\" + name + "\\CLSID", "", GuidToString(clsid));
                              FAILED(hr))
                              return hr;
                      return S_OK;
                  }),
                  S_OK);

        Entries entries;
        CQuizBookCatalogue::FillBookList(c.pattern, [&](const std::string& title, const std::string& progId) {
            entries.emplace_back(title, progId);
            return true;
        });
        EXPECT_EQ(entries, c.entries);
        // Every book went back at once.
        CoFreeUnusedLibraries();
    }
}

} // namespace
