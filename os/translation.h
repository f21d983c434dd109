// The user's language. Texts are written in English in the code and looked up
// in the catalogues of po/ (see po/README.md): on Linux through gettext from
// share/locale, on Windows in the catalogues built into the executable.
#pragma once

#include <initializer_list>
#include <string>

// The text in the user's language; the English itself where no catalogue has it.
const char* translate(const char* english);

// translate() with each %s, or %N$s for the Nth value, filled in; %% is a
// percent sign. Translations may reorder the values with %N$s.
std::string translateWith(const char* english, std::initializer_list<std::string> values);

// The filling-in alone, for a text already translated.
std::string fillIn(const char* format, std::initializer_list<std::string> values);
