#include "os/plural_rule.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// Deeper than any language's rule, shallow enough for any stack.
constexpr int maxDepth = 64;

// Reads and evaluates the expression in one pass, by C's precedence. A branch
// not taken (of ?:, && or ||) is still read, but it cannot fail.
class Evaluator {
public:
    Evaluator(const char* text, unsigned long count) : p(text), n(count) {}

    // The value of the whole expression up to ';' or the end of the line; false if malformed.
    bool evaluate(unsigned long& value)
    {
        value = conditional();
        skipBlanks();
        return !failed && (*p == ';' || *p == '\0' || *p == '\n');
    }

private:
    const char* p;
    unsigned long n;
    bool failed = false;
    int depth = 0;
    int untaken = 0;  // > 0 inside a branch whose value is not used

    void skipBlanks()
    {
        while (*p == ' ' || *p == '\t')  // the rule ends with its line
            ++p;
    }
    bool accept(const char* token)
    {
        skipBlanks();
        const size_t length = std::strlen(token);
        if (std::strncmp(p, token, length) != 0)
            return false;
        p += length;
        return true;
    }
    unsigned long fail()
    {
        failed = true;
        return 0;
    }

    // cond ? a : b, right to left.
    unsigned long conditional()
    {
        return depthGuarded([this] {
            const unsigned long condition = logicalOr();
            if (!accept("?"))
                return condition;
            const bool taken = condition != 0;
            untaken += !taken;
            const unsigned long yes = conditional();
            untaken -= !taken;
            if (!accept(":"))
                return fail();
            untaken += taken;
            const unsigned long no = conditional();
            untaken -= taken;
            return taken ? yes : no;
        });
    }
    unsigned long logicalOr()
    {
        unsigned long value = logicalAnd();
        while (accept("||")) {
            untaken += value != 0;
            const unsigned long right = logicalAnd();
            untaken -= value != 0;
            value = value != 0 || right != 0;
        }
        return value;
    }
    unsigned long logicalAnd()
    {
        unsigned long value = equality();
        while (accept("&&")) {
            untaken += value == 0;
            const unsigned long right = equality();
            untaken -= value == 0;
            value = value != 0 && right != 0;
        }
        return value;
    }
    unsigned long equality()
    {
        unsigned long value = relation();
        for (;;) {
            if (accept("=="))
                value = value == relation();
            else if (accept("!="))
                value = value != relation();
            else
                return value;
        }
    }
    unsigned long relation()
    {
        unsigned long value = sum();
        for (;;) {
            if (accept("<="))
                value = value <= sum();
            else if (accept(">="))
                value = value >= sum();
            else if (accept("<"))
                value = value < sum();
            else if (accept(">"))
                value = value > sum();
            else
                return value;
        }
    }
    unsigned long sum()
    {
        unsigned long value = product();
        for (;;) {
            if (accept("+"))
                value += product();
            else if (accept("-"))
                value -= product();
            else
                return value;
        }
    }
    unsigned long product()
    {
        unsigned long value = unary();
        for (;;) {
            const bool divide = accept("/");
            if (!divide && !accept("%"))
                return value;
            const unsigned long divisor = unary();
            if (divisor == 0)
                value = untaken > 0 ? 0 : fail();
            else
                value = divide ? value / divisor : value % divisor;
        }
    }
    unsigned long unary()
    {
        if (accept("!"))
            return depthGuarded([this] { return unary() == 0; });
        if (accept("(")) {
            const unsigned long value = conditional();
            return accept(")") ? value : fail();
        }
        skipBlanks();
        if (*p == 'n' && !std::isalnum(static_cast<unsigned char>(p[1]))) {
            ++p;
            return n;
        }
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return fail();
        char* end = nullptr;
        const unsigned long value = std::strtoul(p, &end, 10);
        p = end;
        return value;
    }
    template <typename Read>
    unsigned long depthGuarded(Read read)
    {
        if (++depth > maxDepth || failed) {
            --depth;
            return fail();
        }
        const unsigned long value = read();
        --depth;
        return value;
    }
};

// What follows "name=" in the Plural-Forms line (spaces allowed around '='); nullptr if absent.
const char* field(const char* line, const char* name)
{
    const char* lineEnd = std::strchr(line, '\n');
    const size_t length = std::strlen(name);
    for (const char* found = std::strstr(line, name); found && (!lineEnd || found < lineEnd);
         found = std::strstr(found + 1, name)) {
        if (found > line && std::isalnum(static_cast<unsigned char>(found[-1])))
            continue;  // "plural" inside "nplurals"
        const char* after = found + length;
        while (*after == ' ')
            ++after;
        if (*after == '=')
            return after + 1;
    }
    return nullptr;
}

unsigned long english(unsigned long n)
{
    return n == 1 ? 0 : 1;
}

}  // namespace

unsigned long pluralForm(const char* header, unsigned long n)
{
    const char* line = header ? std::strstr(header, "Plural-Forms:") : nullptr;
    const char* forms = line ? field(line, "nplurals") : nullptr;
    const char* rule = line ? field(line, "plural") : nullptr;
    if (!forms || !rule)
        return english(n);
    const unsigned long count = std::strtoul(forms, nullptr, 10);
    unsigned long form = 0;
    if (count == 0 || !Evaluator(rule, n).evaluate(form))
        return english(n);
    // As gettext: a rule that names a form the catalogue lacks gives the first.
    return form < count ? form : 0;
}
