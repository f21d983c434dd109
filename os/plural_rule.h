// A catalogue's rule for plural forms, as its header's Plural-Forms line gives
// it: "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : ...);". The expression is
// C's, over the count n: ?:, || && == != < > <= >= + - * / % !, parentheses
// and whole numbers. The Windows catalogue reader evaluates it as gettext does.
#pragma once

// Which form of a text counts n, from 0 to the rule's number of forms less one.
// A header without a well-formed rule counts as English's: 0 for one, else 1.
// Nothing in the header is trusted: a malformed, too deeply nested or
// dividing-by-zero rule gives English's form, never a crash.
unsigned long pluralForm(const char* header, unsigned long n);
