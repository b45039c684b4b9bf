#include "subtitles/CueSearch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CueQuery Plain(const QString& pattern) {
    return {pattern, false, false, false};
}
CueQuery Cased(const QString& pattern) {
    return {pattern, true, false, false};
}
CueQuery Words(const QString& pattern) {
    return {pattern, false, true, false};
}
CueQuery Regex(const QString& pattern) {
    return {pattern, false, false, true};
}

TEST(CueSearchTest, EachOptionMatchesWhatItSays) {
    const struct {
        CueQuery query;
        QString text;
        bool matches;
    } cases[] = {
        {Plain("hello"), "Say HELLO", true},
        {Cased("hello"), "Say HELLO", false},
        {Cased("HELLO"), "Say HELLO", true},
        {Plain("Ärger"), "viel ärger", true},
        // A plain pattern is text, not an expression.
        {Plain("a.c"), "abc", false},
        {Plain("a.c"), "xa.cx", true},
        {Plain("(x"), "f(x)", true},
        {Words("cat"), "concatenate", false},
        {Words("cat"), "the cat.", true},
        {Words("cat"), "cats", false},
        {Words("Mr."), "Mr. Smith", true},
        {Words("caf"), "café", false},
        {Regex("c.t"), "cut", true},
        {Regex("^HE"), "hello", true},
        {Regex("\\d+ ms"), "in 20 ms", true},
        {CueQuery{"a|an", false, true, true}, "banana", false},
        {CueQuery{"a|an", false, true, true}, "an apple", true},
        {CueQuery{"Big\\b", true, false, true}, "big", false},
        {Plain(""), "anything", false},
        {Regex(""), "anything", false},
    };
    for (const auto& c : cases) {
        const CueSearch search(c.query);
        EXPECT_TRUE(search.IsValid()) << c.query.pattern.toStdString();
        EXPECT_EQ(search.Matches(c.text), c.matches)
            << c.query.pattern.toStdString() << " in " << c.text.toStdString();
    }
}

TEST(CueSearchTest, ReplacesEveryMatchAndCountsThem) {
    const struct {
        CueQuery query;
        QString text;
        QString replacement;
        QString out;
        int count;
    } cases[] = {
        {Plain("a"), "banana", "o", "bonono", 3},
        {Plain("A"), "aAb", "x", "xxb", 2},
        {Cased("A"), "aAb", "x", "axb", 1},
        {Plain("an"), "banana", "\\1", "b\\1\\1a", 2},
        {Plain("$"), "5$ or 6$", "€", "5€ or 6€", 2},
        {Words("cat"), "cat concat cat", "dog", "dog concat dog", 2},
        {Plain("zz"), "banana", "x", "banana", 0},
        {Regex("(\\w+) (\\w+)"), "hello world", "\\2 \\1", "world hello", 1},
        {Regex("o"), "foo", "[\\0]", "f[o][o]", 2},
        {CueQuery{"(\\w)a", false, true, true}, "ta ba cab", "\\1o", "to bo cab", 2},
        // A reference to no capture stays as typed; two digits only when that capture exists.
        {Regex("(a)"), "ab", "\\2", "\\2b", 1},
        {Regex("(a)"), "ab", "\\10", "a0b", 1},
        {Regex("a"), "ab", "x\\\\1y", "x\\1yb", 1},
        {Regex("(a)|b"), "ab", "<\\1>", "<a><>", 2},
        {Regex("^"), "line", "- ", "- line", 1},
        {Regex("\\s+"), "a  b\tc", " ", "a b c", 2},
    };
    for (const auto& c : cases) {
        const TextReplacement r = CueSearch(c.query).Replace(c.text, c.replacement);
        EXPECT_EQ(r.text, c.out) << c.query.pattern.toStdString() << " in " << c.text.toStdString();
        EXPECT_EQ(r.count, c.count) << c.query.pattern.toStdString();
    }
}

TEST(CueSearchTest, InvalidExpressionSaysWhereAndMatchesNothing) {
    const struct {
        CueQuery query;
        QString error;
    } cases[] = {
        {Regex("a(b"), "Invalid regular expression: missing closing parenthesis at offset 3"},
        {Regex("x**"), "Invalid regular expression: quantifier does not follow a repeatable "
                       "item at offset 2"},
        // Valid only inside the whole-word wrapping, which must not hide the error.
        {CueQuery{"a)(b", false, true, true},
         "Invalid regular expression: unmatched closing parenthesis at offset 1"},
    };
    CueList cues;
    cues.AddCues({{0, 1, "a(b"}, {2, 3, "x**"}, {4, 5, "a)(b"}});
    for (const auto& c : cases) {
        const CueSearch search(c.query);
        EXPECT_FALSE(search.IsValid());
        EXPECT_EQ(search.Error(), c.error);
        EXPECT_EQ(search.Find(cues, -1, false), -1);
        EXPECT_EQ(search.Replace(c.query.pattern, "x").count, 0);
    }
}

TEST(CueSearchTest, FindWrapsAroundTheListEitherWay) {
    CueList cues;
    cues.AddCues({{0, 1, "alpha"}, {2, 3, "beta"}, {4, 5, "alphabet"}, {6, 7, "gamma"}});
    const struct {
        QString pattern;
        int from;
        bool backward;
        int found;
    } cases[] = {
        {"alpha", -1, false, 0},  {"alpha", 0, false, 2}, {"alpha", 2, false, 0},
        {"alpha", 3, false, 0},   {"alpha", -1, true, 2}, {"alpha", 2, true, 0},
        {"alpha", 0, true, 2},    {"alpha", 1, true, 0},  {"alpha", 10, false, 0},
        {"gamma", 3, false, 3},   {"gamma", 3, true, 3},  {"gamma", -1, true, 3},
        {"delta", -1, false, -1}, {"delta", 1, true, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CueSearch(Plain(c.pattern)).Find(cues, c.from, c.backward), c.found)
            << c.pattern.toStdString() << " from " << c.from << (c.backward ? " back" : "");
    }
    EXPECT_EQ(CueSearch(Plain("a")).Find(CueList(), -1, false), -1);
}

} // namespace
