// The user's language. Texts are written in English in the code and looked up
// in the catalogues of po/ (see po/README.md): on Linux through gettext from
// share/locale, on Windows in the catalogues built into the executable.
#pragma once

#include <initializer_list>
#include <string>

// The text in the user's language; the English itself where no catalogue has it.
const char* translate(const char* english);

// The text that counts n in the user's language, in the form its grammar
// wants for n (Polish says 1 plik, 2 pliki, 5 plików); English's singular for
// one and plural otherwise where no catalogue has it. Fill in with fillIn().
const char* translatePlural(const char* singular, const char* plural, unsigned long n);

// translate() with each %s, or %N$s for the Nth value, filled in; %% is a
// percent sign. Translations may reorder the values with %N$s.
std::string translateWith(const char* english, std::initializer_list<std::string> values);

// The filling-in alone, for a text already translated.
std::string fillIn(const char* format, std::initializer_list<std::string> values);
