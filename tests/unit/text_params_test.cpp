#include <gtest/gtest.h>

#include "base/text.h"
#include "script/flags.h"
#include "script/params.h"

namespace tk {
namespace {

TEST(Text, CaseFoldingLeavesTwoByteCharactersAlone) {
  EXPECT_TRUE(EqualsIgnoreCase("_firstaction:", "_FirstAction:"));
  EXPECT_TRUE(EqualsIgnoreCase("*tkscriptfile", "*TKScriptFile"));
  // "ア" is 0x83 0x41 and "ヂ" is 0x83 0x61: the trail bytes look like 'A' and 'a'.
  EXPECT_FALSE(EqualsIgnoreCase("\x83\x41", "\x83\x61"));
  EXPECT_EQ(FoldCase("a\x83\x61"
                     "b"),
            "A\x83\x61"
            "B");
  EXPECT_FALSE(EqualsIgnoreCase("ab", "ab "));
}

TEST(FlagLists, LookupsIgnoreLetterCaseOnlyAndFindTheFirstFlagOfAName) {
  FlagLists flags;
  for (const char* name : {"Count", "COUNT", "\x83\x41", "\x83\x61"}) {
    flags.ints.push_back({name, static_cast<std::int32_t>(flags.ints.size())});
  }
  EXPECT_EQ(flags.FindIntFlag("count")->value, 0);
  EXPECT_EQ(flags.FindIntFlag("\x83\x41")->value, 2);
  EXPECT_EQ(flags.FindIntFlag("\x83\x61")->value, 3);
  EXPECT_EQ(flags.FindIntFlag("coun"), nullptr);
  EXPECT_EQ(HashIgnoringCase("Count"), HashIgnoringCase("cOUNT"));
  flags.ints.clear();
  EXPECT_EQ(flags.FindIntFlag("count"), nullptr);
  flags.ints.push_back({"count", 9});
  EXPECT_EQ(flags.FindIntFlag("COUNT")->value, 9);
}

TEST(Text, Int32ConversionAcceptsOnlyASignedDecimal) {
  EXPECT_EQ(ParseInt32("12"), 12);
  EXPECT_EQ(ParseInt32("-7"), -7);
  EXPECT_EQ(ParseInt32("+7"), 7);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "-", "+", "12 ", " 12", "1x", "2147483648", "-2147483649",
                          "99999999999999999999", "0x10", "1.5"}) {
    EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
  }
}

TEST(Text, DecimalConversionTakesFractionsAndNothingElse) {
  EXPECT_EQ(ParseDecimal("2.9"), 2.9);
  EXPECT_EQ(ParseDecimal("-0.5"), -0.5);
  EXPECT_EQ(ParseDecimal("+7"), 7.0);
  EXPECT_EQ(ParseDecimal(".5"), 0.5);
  EXPECT_EQ(ParseDecimal("5."), 5.0);
  EXPECT_EQ(ParseDecimal("1e3"), 1000.0);
  for (const char* bad : {"", ".", "-", "1,5", " 1", "1 ", "0x10", "1e", "1e400", "nan", "inf"}) {
    EXPECT_FALSE(ParseDecimal(bad)) << bad;
  }
}

TEST(FlagLists, SetFlagTextPrefersIntegersAndRefusesNonNumbers) {
  FlagLists flags;
  flags.ints.push_back({"n", 1});
  flags.strs.push_back({"N", "text"});
  flags.strs.push_back({"s", "text"});
  EXPECT_TRUE(flags.SetFlagText("N", "-12"));
  EXPECT_EQ(flags.ints[0].value, -12);
  EXPECT_EQ(flags.strs[0].text, "text");
  EXPECT_FALSE(flags.SetFlagText("n", "12x"));
  EXPECT_EQ(flags.ints[0].value, -12);
  EXPECT_TRUE(flags.SetFlagText("S", "a;b"));
  EXPECT_EQ(flags.strs[1].text, "a;b");
  EXPECT_FALSE(flags.SetFlagText("missing", "1"));
}

TEST(Text, BoundedTextHoldsOneLessThanItsCapacity) {
  BoundedText text(4);
  for (char c : std::string("abcdef")) text.Append(c);
  EXPECT_EQ(text.Text(), "abc");
  EXPECT_TRUE(text.Full());
  EXPECT_EQ(BoundedText::Cut("abcdef", 4), "abc");
  EXPECT_EQ(BoundedText::Cut("ab", 4), "ab");
}

struct Reader {
  FlagLists flags;
  std::string line;
  std::size_t pos = 0;
  std::string Next(ParamMode mode = ParamMode::kPlain, std::size_t capacity = kParamCapacity) {
    std::string out;
    pos = ReadParam(line, pos, capacity, mode, flags, out);
    EXPECT_LE(pos, line.size());
    return out;
  }
};

TEST(ReadParam, PlainModeStopsAtEachSeparatorAndConsumesIt) {
  Reader r{{}, "x(1,2);tail"};
  EXPECT_EQ(r.Next(), "x");
  EXPECT_EQ(r.Next(), "1");
  EXPECT_EQ(r.Next(), "2");
  EXPECT_EQ(r.Next(), "");  // the ')' ends an empty parameter before ';'
  EXPECT_EQ(r.Next(), "tail");

  Reader blanks{{}, " \t a b ,c=d"};
  EXPECT_EQ(blanks.Next(), "a b ");  // only leading blanks are skipped
  EXPECT_EQ(blanks.Next(), "c");
  EXPECT_EQ(blanks.Next(), "d");
}

TEST(ReadParam, ReadingPastTheEndOfTheLineGivesEmptyParameters) {
  Reader r{{}, "a"};
  EXPECT_EQ(r.Next(), "a");
  EXPECT_EQ(r.pos, 1u);
  EXPECT_EQ(r.Next(), "");
  EXPECT_EQ(r.Next(ParamMode::kEText), "");
  EXPECT_EQ(r.pos, 1u);
  r.pos = 99;  // a caller's position beyond the line is clamped, never read past
  EXPECT_EQ(r.Next(), "");
}

TEST(ReadParam, DollarIsALineFeedAndColonModeStopsAtColons) {
  Reader r{{}, "a$b,c:d,e:f"};
  EXPECT_EQ(r.Next(), "a\nb");
  EXPECT_EQ(r.Next(ParamMode::kColon), "c");
  EXPECT_EQ(r.Next(ParamMode::kColon), "d");
  EXPECT_EQ(r.Next(), "e:f");
}

TEST(ReadParam, LongParametersAreCutAndTheReaderGoesOnAfterTheStop) {
  Reader r{{}, std::string(200, 'x') + ",next"};
  EXPECT_EQ(r.Next(), std::string(127, 'x'));
  EXPECT_EQ(r.Next(), "next");

  Reader marks{{}, std::string(126, 'x') + "$$y,next"};
  EXPECT_EQ(marks.Next(), std::string(126, 'x') + "\n");
  EXPECT_EQ(marks.Next(), "next");

  Reader name{{}, "abcdefghijklmnopqrstuvwxyz;z"};
  EXPECT_EQ(name.Next(ParamMode::kPlain, kFlagNameCapacity), "abcdefghijklmno");
  EXPECT_EQ(name.Next(), "z");
}

TEST(ReadParam, ETextModeKeepsBytesUpToTheEndMark) {
  Reader r{{}, "Hello, $(x)@E;rest"};
  EXPECT_EQ(r.Next(ParamMode::kEText), "Hello, $(x)@E");
  EXPECT_EQ(r.Next(), "rest");

  // Byte-wise: the full-width space 0x81 0x40 supplies the '@'.
  Reader sjis{{},
              "\x82\xA0\x81\x40"
              "E;x"};
  EXPECT_EQ(sjis.Next(ParamMode::kEText),
            "\x82\xA0\x81\x40"
            "E");
  EXPECT_EQ(sjis.Next(), "x");

  // "@E" not followed by ';' does not end the text; a line without the end
  // mark is taken to its end.
  Reader open{{}, "a@Eb;c"};
  EXPECT_EQ(open.Next(ParamMode::kEText), "a@Eb;c");

  // A cut text loses its "@E" and the reader still finds the mark.
  Reader cut{{}, std::string(130, 'y') + "@E;after"};
  EXPECT_EQ(cut.Next(ParamMode::kEText), std::string(127, 'y'));
  EXPECT_EQ(cut.Next(), "after");
}

TEST(ReadParam, FlagSubstitution) {
  Reader r;
  r.line = "@Fcount,@FCOUNT,@Fname,@Fnone,@F,x@Fcount";
  r.flags.ints.push_back({"Count", 7});
  r.flags.strs.push_back({"count", "string wins only without an integer"});
  r.flags.strs.push_back({"name", "a$b,@Fcount"});
  EXPECT_EQ(r.Next(), "7");
  EXPECT_EQ(r.Next(), "7");
  EXPECT_EQ(r.Next(), "a$b,@Fcount");  // substituted text is not read again
  EXPECT_EQ(r.Next(), "@Fnone");
  EXPECT_EQ(r.Next(), "@F");
  EXPECT_EQ(r.Next(), "x@Fcount");

  r.flags.ints.clear();
  r.pos = 0;
  EXPECT_EQ(r.Next(), "string wins only without an integer");

  r.flags.ints.push_back({"neg", -42});
  r.line = "@Fneg";
  r.pos = 0;
  EXPECT_EQ(r.Next(), "-42");

  // A value longer than the buffer is cut to it.
  r.flags.strs.push_back({"long", std::string(300, 'L')});
  r.line = "@Flong";
  r.pos = 0;
  EXPECT_EQ(r.Next(), std::string(127, 'L'));
  r.pos = 0;
  EXPECT_EQ(r.Next(ParamMode::kPlain, kSpeechCodeCapacity), std::string(31, 'L'));
}

TEST(ReadRest, TakesEverythingUpToTheSemicolon) {
  FlagLists flags;
  std::string out;
  const std::string line = " a,b=c(d)$e;f";
  const std::size_t pos = ReadRest(line, 0, kParamCapacity, flags, out);
  EXPECT_EQ(out, "a,b=c(d)$e");
  EXPECT_EQ(pos, line.find(';') + 1);
  EXPECT_EQ(ReadRest("abc", 0, kParamCapacity, flags, out), 3u);
  EXPECT_EQ(out, "abc");
  ReadRest(std::string(200, 'r') + ";", 0, kTitleCapacity, flags, out);
  EXPECT_EQ(out, std::string(63, 'r'));
}

}  // namespace
}  // namespace tk
