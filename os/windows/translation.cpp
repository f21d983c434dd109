#include "os/translation.h"

#include <windows.h>

#include "os/mo_catalogue.h"

namespace {

// The catalogue built into the executable under this name (RCDATA), empty if none.
MoCatalogue resourceCatalogue(const std::string& name)
{
    HRSRC resource = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return MoCatalogue(bytes, bytes ? SizeofResource(nullptr, resource) : 0);
}

// The user's language as gettext names it: "pt_BR" for Windows' "pt-BR".
std::string userLanguage()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (!LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0))
        return "";
    std::string language;
    for (const wchar_t* c = name; *c; ++c)
        language += *c == L'-' ? '_' : static_cast<char>(*c);
    return language;
}

// The catalogue of the user's language, or of its language without the country
// ("pt" for "pt_BR"); ours are named by gettext's names.
MoCatalogue userCatalogue()
{
    const std::string language = userLanguage();
    for (std::string name = language; !name.empty();) {
        const MoCatalogue catalogue = resourceCatalogue(name);
        if (!catalogue.isEmpty() || name.find('_') == std::string::npos)
            return catalogue;
        name.erase(name.rfind('_'));
    }
    return MoCatalogue(nullptr, 0);
}

const MoCatalogue& catalogue()
{
    static const MoCatalogue catalogue = userCatalogue();
    return catalogue;
}

}  // namespace

const char* translate(const char* english)
{
    const char* translated = *english ? catalogue().find(english) : nullptr;
    return translated ? translated : english;
}

const char* translatePlural(const char* singular, const char* plural, unsigned long n)
{
    const char* translated = *singular ? catalogue().findPlural(singular, n) : nullptr;
    return translated ? translated : n == 1 ? singular : plural;
}
