#include "QuizBookCatalogue.h"

#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "com/Registry.h"
#include "ui/AnsiCodePage.h"

std::string CQuizBookCatalogue::BookName(std::string_view pattern, int number)
{
    std::string name;
    name.reserve(pattern.size() + 3);
    bool numbered = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            name += '%';
            ++i;
        } else if (pattern[i] == '%' && next == 'd' && !numbered) {
            name += std::to_string(number);
            numbered = true;
            ++i;
        } else {
            name += pattern[i];
        }
    }
    return name;
}

HRESULT CQuizBookCatalogue::CreateBook(const std::string& progId, IQuizBook** book)
{
    if (!book) return E_POINTER;
    *book = nullptr;
    const std::u16string name = AnsiToWide(progId);
    CLSID clsid;
    if (const HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid); FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IQuizBook, reinterpret_cast<void**>(book));
}

HRESULT CQuizBookCatalogue::FillBookList(
    std::string_view pattern, const std::function<bool(const std::string& title, const std::string& progId)>& addEntry,
    std::string* error)
{
    for (int number = 1; number <= kLastBookNumber; ++number) {
        const std::string name = BookName(pattern, number);
        CComPtr<IQuizBook> book;
        const HRESULT hr = CreateBook(name, &book);
        if (hr == REGDB_E_READREGDB) {
            if (error) *error = CRegistry::LastError();
            return hr;
        }
        if (FAILED(hr)) continue;
        // A book without a title is still listed, as an empty line.
        CComBSTR title;
        const std::string text = SUCCEEDED(book->get_QuizTitle(&title)) ? WideToAnsi(title.str()) : std::string();
        book.Release();
        addEntry(text, name);
    }
    return S_OK;
}
