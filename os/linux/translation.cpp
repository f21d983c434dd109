#include "os/translation.h"

#include <libintl.h>

#include <clocale>

#include "os/executable.h"

namespace {

constexpr char domain[] = "glimora";

bool bindCatalogues()
{
    // The language alone: numbers and character classes stay as the program expects.
    std::setlocale(LC_MESSAGES, "");
    const std::string folder = nearestShareFolder("locale");
    if (!folder.empty())
        bindtextdomain(domain, folder.c_str());
    // GTK and the files the program writes take UTF-8, whatever the locale's own set.
    bind_textdomain_codeset(domain, "UTF-8");
    return true;
}

// The catalogues are bound before the first look-up.
const char* boundDomain()
{
    static const bool bound = bindCatalogues();
    (void)bound;
    return domain;
}

}  // namespace

const char* translate(const char* english)
{
    return dgettext(boundDomain(), english);
}

const char* translatePlural(const char* singular, const char* plural, unsigned long n)
{
    return dngettext(boundDomain(), singular, plural, n);
}
