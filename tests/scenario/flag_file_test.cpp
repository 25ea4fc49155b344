// Flag files: the record line, reading it back, the commands and dialogs.
#include "script/flag_file.h"

#include "base/messages.h"
#include "script/flags.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class FlagFile : public testing::ScriptFixture {
 protected:
  std::string RecordOf(const std::string& name) const {
    Lines lines;
    EXPECT_TRUE(DecodeLines(ReadFile(name), lines));
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "*TKFlagFile");
    return lines.size() > 1 ? lines[1] : "";
  }
  void WriteFlagFile(const std::string& name, const std::string& record) const {
    WriteFile(name, EncodeLines({"*TKFlagFile", record}));
  }
};

TEST_F(FlagFile, RecordLineListsBothListsInOrderWithDuplicates) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:Count,3;\n"
      "str:Name,Hello;\n"
      "int:a,1;\n"
      "int:A,-2;\n"
      "_EndInitFlags:\n"
      "Save:\n"
      ">FFSV=f.dat;\n");
  RunAction(*form, "Save");
  EXPECT_EQ(RecordOf("f.dat"), "*FLI;Count;3;a;1;A;-2;*FLS;Name;Hello;*EOF;");
  EXPECT_EQ(FlagRecordLine(FlagLists{}), "*FLI;*FLS;*EOF;");
}

TEST_F(FlagFile, TextsReadBackAsTheReaderTakesThem) {
  StartWith(
      "_BeginInitFlags:\n"
      "str:b,untouched;\n"
      "str:blanks,;\n"
      "str:lf,;\n"
      "str:ref,;\n"
      "str:semi,;\n"
      "int:n,5;\n"
      "_EndInitFlags:\n"
      "Load:\n"
      ">FFLD=f.dat;\n"
      ">AE;\n"
      "Prepare:\n"
      ">FVS=lf,a$b;\n");
  RunAction(*form, "Prepare");
  FlagLists& flags = form->flags;
  flags.SetFlagText("semi", "a;b");
  flags.SetFlagText("blanks", "  x");
  flags.SetFlagText("ref", "@Fn");
  ASSERT_TRUE(SaveFlagFile(*form, "f.dat"));
  for (StrFlag& flag : flags.strs) flag.text = "-";
  flags.SetFlagText("n", "9");
  RunAction(*form, "Load");
  // b is taken as the next name, and *EOF as its value; the line then ends.
  EXPECT_EQ(Str("semi"), "a");
  EXPECT_EQ(Str("b"), "*EOF");
  EXPECT_EQ(Str("blanks"), "x");
  EXPECT_EQ(Str("lf"), "a\nb");
  EXPECT_EQ(Str("ref"), "5");  // @Fn read back as n's value, loaded first
  EXPECT_EQ(Int("n"), 5);
  EXPECT_TRUE(sim->message_boxes.empty());
}

// A form feed or a CR cannot be stored inside a line (a CR reaches a flag
// from a stored pair 0D 0E): the writer leaves them out and says so, and
// the file reads back.
TEST_F(FlagFile, BytesTheFormatCannotHoldAreLeftOutAndTheFileStaysReadable) {
  StartWith(
      "_BeginInitFlags:\nstr:ff,;\nstr:cr,;\nint:n,1;\n_EndInitFlags:\n"
      "Load:\n>FFLD=f.dat;\n>AE;\n");
  std::string stored = EncodeLines({"*TKFlagFile", "*FLI;n;7;*FLS;cr;a\x01z;*EOF;"});
  stored.replace(stored.find('\x02'), 1, "\x0D\x0E");  // decodes to a CR inside the line
  WriteFile("f.dat", stored);
  RunAction(*form, "Load");
  ASSERT_EQ(Str("cr"), "a\rz");
  form->flags.SetFlagText("ff",
                          "a\x0C"
                          "b");
  ASSERT_TRUE(SaveFlagFile(*form, "f.dat"));
  EXPECT_EQ(RecordOf("f.dat"), "*FLI;n;7;*FLS;ff;ab;cr;az;*EOF;");
  EXPECT_EQ(Logged(), std::vector<std::string>{"Flag file f.dat: 2 form feed or carriage return "
                                               "bytes of string flags cannot be stored and were "
                                               "left out"});
}

TEST_F(FlagFile, LoadingChangesOnlyDeclaredFlagsThatTakeTheValue) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:count,1;\n"
      "int:keep,7;\n"
      "str:name,old;\n"
      "_EndInitFlags:\n");
  // Another script's file: other case, an unknown flag, a hand-edited value,
  // an integer written in the string section.
  WriteFlagFile("f.dat", "*FLI;COUNT;4;unknown;1;keep;seven;*FLS;Name;new;count;6;*EOF;");
  EXPECT_TRUE(LoadFlagFile(*form, "f.dat"));
  EXPECT_EQ(Int("count"), 6);
  EXPECT_EQ(Int("keep"), 7);
  EXPECT_EQ(Str("name"), "new");
  EXPECT_TRUE(sim->message_boxes.empty());
}

TEST_F(FlagFile, BrokenFilesChangeNothingAndSaySo) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:count,1;\n"
      "_EndInitFlags:\n");
  struct Case {
    std::string stored;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"", msg::kFlagFileUnrecognised},  // an empty file has no marker
      {EncodeLines({"*TKScriptFile", "*FLI;count;2;*FLS;*EOF;"}), msg::kFlagFileUnrecognised},
      {EncodeLines({"*tkflagfile"}), msg::kFlagFileUnrecognised},  // no record line
      {std::string("\x0E\x42", 2), msg::kFlagFileUnreadable},      // a CR without its LF
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(::testing::PrintToString(test.stored));
    WriteFile("f.dat", test.stored);
    sim->message_boxes.clear();
    EXPECT_FALSE(LoadFlagFile(*form, "f.dat"));
    EXPECT_EQ(Int("count"), 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{test.message});
  }
  sim->message_boxes.clear();
  EXPECT_FALSE(LoadFlagFile(*form, "missing.dat"));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kFlagFileUnreadable});
  // A record that ends early loads what it has.
  sim->message_boxes.clear();
  for (const std::string record : {"*FLI;count;2;", "*FLI;count;4;*FLS;", "*FLI;count;6"}) {
    WriteFlagFile("f.dat", record);
    EXPECT_TRUE(LoadFlagFile(*form, "f.dat"));
  }
  EXPECT_EQ(Int("count"), 6);
  EXPECT_TRUE(sim->message_boxes.empty());
  // The marker may stand on any line; the record is always the second line.
  WriteFile("f.dat", EncodeLines({"x", "*FLI;count;3;*FLS;*EOF;", "*TKFLAGFILE"}));
  EXPECT_TRUE(LoadFlagFile(*form, "f.dat"));
  EXPECT_EQ(Int("count"), 3);
}

TEST_F(FlagFile, AFullDiskKeepsThePreviousFile) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:count,1;\n"
      "_EndInitFlags:\n"
      "Save:\n"
      ">FFSV=f.dat;\n"
      ">FVS=count,2;\n"
      ">AE;\n");
  RunAction(*form, "Save");
  const std::string before = ReadFile("f.dat");
  sim->fail_writes = true;
  RunAction(*form, "Save");
  EXPECT_EQ(ReadFile("f.dat"), before);
  EXPECT_EQ(RecordOf("f.dat"), "*FLI;count;1;*FLS;*EOF;");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kFlagFileUnwritable});
  EXPECT_FALSE(Exists("tk_error.txt"));  // nothing is logged
}

TEST_F(FlagFile, FileDialogSavesWithTheExtensionAndLoads) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:count,1;\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Save:\n"
      ">FFDP=0,sav,Save flags,Saved,NotSaved;\n"
      "Saved:\n"
      ">FV+=trail,s;\n"
      ">AE;\n"
      "NotSaved:\n"
      ">FV+=trail,n;\n"
      ">AE;\n"
      "Load:\n"
      ">FFDP=1,sav,Load flags,Loaded,;\n"
      ">FV+=trail,c;\n"
      ">AE;\n"
      "Loaded:\n"
      ">FV+=trail,l;\n"
      ">AE;\n"
      "Bad:\n"
      ">FFDP=x,sav,t,Saved,NotSaved;\n"
      ">AE;\n");
  std::optional<std::string> answer = Path("data.txt");
  sim->on_file_dialog = [&](const FileDialogRequest&) { return answer; };
  RunAction(*form, "Save");
  ASSERT_EQ(sim->file_dialogs.size(), 1u);
  EXPECT_TRUE(sim->file_dialogs[0].save);
  EXPECT_EQ(sim->file_dialogs[0].title, "Save flags");
  EXPECT_EQ(sim->file_dialogs[0].filter, std::string(msg::kFlagFileFilterPrefix) + "sav)|*.sav");
  EXPECT_EQ(sim->file_dialogs[0].initial_folder, sim->ProgramFolder());
  EXPECT_TRUE(Exists("data.sav"));
  EXPECT_FALSE(Exists("data.txt"));

  form->flags.SetFlagText("count", "5");
  answer = Path("data.sav");
  RunAction(*form, "Load");
  EXPECT_FALSE(sim->file_dialogs[1].save);
  EXPECT_EQ(Int("count"), 1);
  EXPECT_EQ(Str("trail"), "l");  // saved before the jump that wrote "s"
  form->flags.SetFlagText("trail", "");
  answer = Path("nothing.sav");  // a failed load takes the other label: empty, next line
  RunAction(*form, "Load");
  EXPECT_EQ(Str("trail"), "c");

  answer.reset();  // cancelled
  RunAction(*form, "Save");
  sim->fail_writes = true;
  answer = Path("data.txt");
  RunAction(*form, "Save");
  EXPECT_EQ(Str("trail"), "cnn");
  RunAction(*form, "Bad");
  EXPECT_EQ(sim->file_dialogs.size(), 5u);  // no dialog for a bad mode
  EXPECT_EQ(Logged().size(), 1u);
  EXPECT_EQ(sim->CurrentDirectory(), sim->ProgramFolder());
}

TEST(FlagFileNames, ExtensionReplacement) {
  EXPECT_EQ(ReplaceExtension("data.txt", ".sav"), "data.sav");
  EXPECT_EQ(ReplaceExtension("data", ".sav"), "data.sav");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\data", ".sav"), "C:\\a.b\\data.sav");
  EXPECT_EQ(ReplaceExtension("x.tar.gz", ".sav"), "x.tar.sav");
  // 0x95 0x5C is one character whose second byte looks like a backslash.
  EXPECT_EQ(ReplaceExtension("a.b\\\x95\x5C", ".sav"), "a.b\\\x95\x5C.sav");
}

}  // namespace
}  // namespace tk
