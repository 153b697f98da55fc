// The OpenOffice.org profile edits over small profiles in every form.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "OpenOfficeFiles.h"
#include "OpenOfficeHosts.h"
#include "TempFolder.h"
#include "extmanager/hostfiles/OpenOfficeProfile.h"
#include "extmanager/hostfiles/ProfileAdditions.h"
#include "extmanager/hostfiles/ProfileText.h"
#include "extmanager/switches/OpenOfficeSwitch.h"

namespace {

using hostfab::TextForm;
using oofiles::Count;
using oofiles::Files;

constexpr int kOrdinary = 0x400, kVqd = 0x20000;

class OpenOfficeProfileTest : public testing::Test {
 protected:
  void SetUp() override {
    product_ = folder_.Path() + L"product\\";
    productVqd_ = folder_.Path() + L"productVQD\\";
    root_ = folder_.Path() + L"AppData";
    for (bool vqd : {false, true})
      for (const auto& [name, text] : hostfab::OpenOfficeTemplates(vqd))
        oofiles::Write((vqd ? productVqd_ : product_) + L"OOInst\\" + name, text);
    CreateDirectoryW(root_.c_str(), nullptr);
  }

  void WriteProfile(int major, bool userEntries, const TextForm& form) {
    for (const auto& [path, text] : hostfab::OpenOfficeProfileFiles(major, userEntries))
      oofiles::Write(root_ + L"\\" + path, hostfab::InForm(text, form));
  }

  // Every edit of the switch, in its order.
  void EditAll(int mode, bool enable, int major = 3) {
    COpenOfficeProfile profile(mode == kVqd ? productVqd_ : product_, root_, mode);
    auto paths = COpenOfficeSW::PathsFor(major);
    ASSERT_TRUE(profile.EditAddons(enable, paths.regRel));
    ASSERT_TRUE(profile.EditEvents(enable, paths.regRel));
    ASSERT_TRUE(profile.EditWriterWindowState(enable, paths.uiRel));
    ASSERT_TRUE(profile.EditAccelerators(enable, paths.accelRel));
    ASSERT_TRUE(profile.EditLibraryList(enable, root_ + paths.basicRel));
  }

  std::wstring Registry(int major = 3) const { return root_ + COpenOfficeSW::PathsFor(major).regRel; }
  std::string Addons(int major = 3) const { return testsupport::ReadWholeFile(Registry(major) + L"\\Addons.xcu"); }
  Files Profile() const { return oofiles::Read(root_); }

  testsupport::TempFolder folder_;
  std::wstring product_, productVqd_, root_;
};

struct ProfileForm {
  const char* name;
  int major;
  bool userEntries;
  TextForm form;
};

std::ostream& operator<<(std::ostream& out, const ProfileForm& form) { return out << form.name; }

class ProfileForms : public OpenOfficeProfileTest, public testing::WithParamInterface<ProfileForm> {};

TEST_P(ProfileForms, OnAddsEachEntryOnceAndOffGivesBackEveryByte) {
  const ProfileForm& row = GetParam();
  WriteProfile(row.major, row.userEntries, row.form);
  const Files original = Profile();

  EditAll(kOrdinary, true, row.major);
  Files on = Profile();
  std::wstring registry = COpenOfficeSW::PathsFor(row.major).regRel.substr(1) + L"\\";
  std::string addons = oofiles::AsUtf8(on[registry + L"Addons.xcu"]);
  EXPECT_EQ(1u, Count(addons, "<node oor:name=\"NORVA.Translate\" oor:op=\"replace\">")) << addons;
  EXPECT_EQ(1u, Count(addons, "<node oor:name=\"norva.Icon.About\"")) << addons;
  EXPECT_EQ(1u, Count(addons, "<node oor:name=\"norva.TopMenu\"")) << addons;
  // Inside each section the product's entries come first, the user's follow.
  if (row.userEntries) {
    std::string e = row.form.lineEnd;
    EXPECT_NE(std::string::npos, addons.find("   </node>" + e + "   <node oor:name=\"org.example.WordCount\""))
        << addons;
    EXPECT_LT(addons.find("norva.TopMenu"), addons.find("org.example.Menu"));
  }
  EXPECT_EQ(1u, Count(oofiles::AsUtf8(on[registry + L"UI\\WriterWindowState.xcu"]), "addon_NORVA.Translate"));
  EXPECT_EQ(1u, Count(oofiles::AsUtf8(on[registry + L"Events.xcu"]), "Norva.Module1.OnStart"));
  std::wstring user = hostfab::OpenOfficeUserFolder(row.major);
  for (const wchar_t* language : {L"en-US", L"ru"})
    EXPECT_EQ(2u, Count(oofiles::AsUtf8(on[user + L"\\config\\soffice.cfg\\modules\\swriter\\accelerator\\" +
                                           language + L"\\current.xml"]),
                        "Norva.Module1"))
        << language;
  EXPECT_EQ(1u, Count(oofiles::AsUtf8(on[user + L"\\basic\\script.xlc"]), "library:name=\"Norva\""));
  EXPECT_EQ(original.at(user + L"\\basic\\script.xlc"), on[user + L"\\basic\\script.xlc.old"]);
  // Each edited file keeps its encoding: mark and line ends.
  for (const auto& [path, bytes] : original) {
    EXPECT_EQ(bytes.substr(0, 2), on[path].substr(0, 2)) << std::string(path.begin(), path.end());
    EXPECT_EQ(Count(bytes, "\r\n") > 0, Count(on[path], "\r\n") > 0) << std::string(path.begin(), path.end());
  }
  // The user's own lines are all still there.
  for (const auto& [path, bytes] : original) {
    std::string text = oofiles::AsUtf8(bytes), now = oofiles::AsUtf8(on[path]);
    for (const char* mine : {"org.example.WordCount", "org.example.Menu", "standardbar", ".uno:Navigator",
                             "Standard.Module1.Backup", "library:name=\"Tools\""})
      EXPECT_EQ(Count(text, mine), Count(now, mine)) << mine;
  }

  EditAll(kOrdinary, true, row.major);
  EXPECT_EQ(on, Profile()) << "switching on twice adds nothing";

  EditAll(kOrdinary, false, row.major);
  Files off = Profile();
  off.erase(user + L"\\basic\\script.xlc.old");
  EXPECT_EQ(original, off);
  for (const auto& [path, bytes] : original)
    EXPECT_EQ(bytes, off[path]) << std::string(path.begin(), path.end());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ProfileForms,
    testing::Values(ProfileForm{"user_entries_LF", 3, true, {"\n", TextForm::Utf8}},
                    ProfileForm{"user_entries_CRLF", 3, true, {"\r\n", TextForm::Utf8}},
                    ProfileForm{"user_entries_UTF8_mark_CRLF", 3, true, {"\r\n", TextForm::Utf8Mark}},
                    ProfileForm{"user_entries_UTF16", 3, true, {"\r\n", TextForm::Utf16Le}},
                    ProfileForm{"fresh_profile_LF", 3, false, {"\n", TextForm::Utf8}},
                    ProfileForm{"fresh_profile_UTF8_mark", 3, false, {"\n", TextForm::Utf8Mark}},
                    ProfileForm{"version_2_CRLF", 2, true, {"\r\n", TextForm::Utf8}}),
    [](const testing::TestParamInfo<ProfileForm>& info) { return std::string(info.param.name); });

TEST_F(OpenOfficeProfileTest, AMissingAddonsFileIsMadeFromTheTemplateAndKeepsItsSkeleton) {
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  std::wstring regRel = COpenOfficeSW::PathsFor(3).regRel;
  ASSERT_TRUE(profile.EditAddons(true, regRel));
  EXPECT_EQ(hostfab::OpenOfficeTemplates(false)[L"Addons.xcu"], Addons());
  ASSERT_TRUE(profile.EditAddons(false, regRel));
  std::string skeleton = Addons();
  EXPECT_EQ(0u, Count(skeleton, "NORVA")) << skeleton;
  EXPECT_EQ(0u, Count(skeleton, "norva")) << skeleton;
  EXPECT_EQ(1u, Count(skeleton, "  <node oor:name=\"Images\">\n  </node>\n")) << skeleton;
  EXPECT_TRUE(profile.EditAddons(false, regRel)) << "nothing left to take out";
  DeleteFileW((Registry() + L"\\Addons.xcu").c_str());
  EXPECT_TRUE(profile.EditAddons(false, regRel)) << "no file, nothing to take out";
}

TEST_F(OpenOfficeProfileTest, AnAddonsFileWithoutSectionsGetsAllThreeAfterTheAddonUiLine) {
  std::string original =
      "<?xml version=\"1.0\"?>\n<oor:component-data oor:name=\"Addons\">\n <node oor:name=\"AddonUI\">\n </node>\n"
      "</oor:component-data>\n";
  oofiles::Write(Registry() + L"\\Addons.xcu", original);
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  ASSERT_TRUE(profile.EditAddons(true, COpenOfficeSW::PathsFor(3).regRel));
  std::string on = Addons();
  size_t ui = on.find(" <node oor:name=\"AddonUI\">\n"), toolbar = on.find("  <node oor:name=\"OfficeToolBar\">"),
         images = on.find("  <node oor:name=\"Images\">"), menu = on.find("  <node oor:name=\"OfficeMenuBar\">");
  ASSERT_NE(std::string::npos, menu) << on;
  EXPECT_LT(ui, toolbar);
  EXPECT_LT(toolbar, images);
  EXPECT_LT(images, menu);
  ASSERT_TRUE(profile.EditAddons(false, COpenOfficeSW::PathsFor(3).regRel));
  // The empty sections stay: they may as well be the user's.
  EXPECT_EQ(
      "<?xml version=\"1.0\"?>\n<oor:component-data oor:name=\"Addons\">\n <node oor:name=\"AddonUI\">\n"
      "  <node oor:name=\"OfficeToolBar\">\n  </node>\n  <node oor:name=\"Images\">\n  </node>\n"
      "  <node oor:name=\"OfficeMenuBar\">\n  </node>\n </node>\n</oor:component-data>\n",
      Addons());
}

TEST_F(OpenOfficeProfileTest, ABlockWithoutItsEndLineLeavesTheFileAsItIs) {
  std::string original = hostfab::OpenOfficeProfileFiles(3, true).begin()->second;
  WriteProfile(3, true, TextForm());
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  std::wstring regRel = COpenOfficeSW::PathsFor(3).regRel;
  ASSERT_TRUE(profile.EditAddons(true, regRel));
  // Cut the file right after our first marker line: its block has no end.
  std::string on = Addons();
  size_t cut = on.find("\n", on.find("NORVA.Translate")) + 1;
  std::string broken = on.substr(0, cut) + "    <node oor:name=\"mTranslateSel\" oor:op=\"replace\">\n";
  oofiles::Write(Registry() + L"\\Addons.xcu", broken);
  EXPECT_FALSE(profile.EditAddons(false, regRel));
  EXPECT_EQ(broken, Addons());
  // The same for a window state block.
  std::wstring states = root_ + COpenOfficeSW::PathsFor(3).uiRel + L"\\WriterWindowState.xcu";
  std::string cutStates = " <node oor:name=\"States\">\n" + std::string(profile.WindowStateMarker()) + "\n    <prop/>\n";
  oofiles::Write(states, cutStates);
  EXPECT_FALSE(profile.EditWriterWindowState(false, COpenOfficeSW::PathsFor(3).uiRel));
  EXPECT_EQ(cutStates, testsupport::ReadWholeFile(states));
}

TEST_F(OpenOfficeProfileTest, AWindowStateFileWithoutStatesOrAListWithoutItsAnchorIsLeftAsItIs) {
  std::wstring uiRel = COpenOfficeSW::PathsFor(3).uiRel;
  std::wstring states = root_ + uiRel + L"\\WriterWindowState.xcu";
  std::string noStates = "<?xml version=\"1.0\"?>\r\n\r\n <node oor:name=\"UIElements\">\r\n </node>\r\n";
  oofiles::Write(states, noStates);
  std::wstring accelRel = COpenOfficeSW::PathsFor(3).accelRel;
  std::wstring list = root_ + accelRel + L"en-US\\current.xml";
  std::string noAnchor = "<?xml version=\"1.0\"?>\n<other/>\n";
  oofiles::Write(list, noAnchor);
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  EXPECT_TRUE(profile.EditWriterWindowState(true, uiRel));
  EXPECT_EQ(noStates, testsupport::ReadWholeFile(states)) << "empty lines and line ends stay too";
  EXPECT_TRUE(profile.EditAccelerators(true, accelRel));
  EXPECT_EQ(noAnchor, testsupport::ReadWholeFile(list));
}

TEST_F(OpenOfficeProfileTest, TextWithNulBytesIsNotRewritten) {
  std::string original = std::string(" <node oor:name=\"AddonUI\">\n\0x\n", 31) + "</oor:component-data>\n";
  oofiles::Write(Registry() + L"\\Addons.xcu", original);
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  EXPECT_FALSE(profile.EditAddons(true, COpenOfficeSW::PathsFor(3).regRel));
  EXPECT_EQ(original, Addons());
}

TEST_F(OpenOfficeProfileTest, Utf16WithoutAMarkStaysUtf16WithoutAMark) {
  WriteProfile(3, true, TextForm{"\r\n", TextForm::Utf16Le});
  std::wstring path = Registry() + L"\\Addons.xcu";
  std::string marked = testsupport::ReadWholeFile(path);
  std::string unmarked = marked.substr(2);
  oofiles::Write(path, unmarked);
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  ASSERT_TRUE(profile.EditAddons(true, COpenOfficeSW::PathsFor(3).regRel));
  std::string on = Addons();
  EXPECT_EQ('<', on[0]);
  EXPECT_EQ('\0', on[1]);
  EXPECT_EQ(1u, Count(oofiles::AsUtf8(on), "NORVA.Translate"));
  ASSERT_TRUE(profile.EditAddons(false, COpenOfficeSW::PathsFor(3).regRel));
  EXPECT_EQ(unmarked, Addons());
}

TEST_F(OpenOfficeProfileTest, BothEditionsLiveSideBySideAndLeaveEachOther) {
  WriteProfile(3, true, TextForm{"\r\n", TextForm::Utf8});
  const Files original = Profile();
  EditAll(kOrdinary, true);
  EditAll(kVqd, true);
  std::string both = Addons();
  EXPECT_EQ(1u, Count(both, "\"NORVA.Translate\""));
  EXPECT_EQ(1u, Count(both, "\"NORVAVQD.Translate\""));
  Files on = Profile();
  std::string xlc = on[L"OpenOffice.org\\3\\user\\basic\\script.xlc"];
  EXPECT_EQ(1u, Count(xlc, "library:name=\"Norva\""));
  EXPECT_EQ(1u, Count(xlc, "library:name=\"NorvaVQD\""));

  EditAll(kOrdinary, false);
  std::string vqdOnly = Addons();
  EXPECT_EQ(0u, Count(vqdOnly, "\"NORVA.Translate\""));
  EXPECT_EQ(0u, Count(vqdOnly, "norva.Icon"));
  EXPECT_EQ(1u, Count(vqdOnly, "\"NORVAVQD.Translate\""));
  Files half = Profile();
  EXPECT_EQ(1u, Count(half[L"OpenOffice.org\\3\\user\\basic\\script.xlc"], "library:name=\"NorvaVQD\""));
  EXPECT_EQ(2u, Count(half[L"OpenOffice.org\\3\\user\\config\\soffice.cfg\\modules\\swriter\\accelerator\\ru\\current.xml"],
                      "NorvaVQD.Module1"));
  EXPECT_EQ(1u, Count(half[L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Events.xcu"],
                      "NorvaVQD.Module1.OnStart"));

  EditAll(kVqd, false);
  Files off = Profile();
  off.erase(L"OpenOffice.org\\3\\user\\basic\\script.xlc.old");
  EXPECT_EQ(original, off);
}

TEST_F(OpenOfficeProfileTest, TheUsersOwnBindingOfAnEventIsKept) {
  WriteProfile(3, true, TextForm());
  std::wstring events = Registry() + L"\\Events.xcu";
  std::string own = hostfab::OpenOfficeProfileFiles(3, true)[L"OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\Events.xcu"];
  std::string mine = own;
  mine.replace(mine.find("OnSave"), 6, "OnStartApp");
  oofiles::Write(events, mine);
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  ASSERT_TRUE(profile.EditEvents(true, COpenOfficeSW::PathsFor(3).regRel));
  EXPECT_EQ(mine, testsupport::ReadWholeFile(events)) << "the user's OnStartApp stays";
  ASSERT_TRUE(profile.EditEvents(false, COpenOfficeSW::PathsFor(3).regRel));
  EXPECT_EQ(mine, testsupport::ReadWholeFile(events)) << "and is not taken for the product's";
}

TEST_F(OpenOfficeProfileTest, ReadOnlyOrLockedFilesStayAsTheyWereAndNoTemporaryFileIsLeft) {
  WriteProfile(3, true, TextForm());
  std::wstring path = Registry() + L"\\Addons.xcu";
  // A file of the user's with the name a fixed temporary name would take.
  oofiles::Write(Registry() + L"\\AddonsTemp.xcu", "the user's own");
  const Files original = Profile();
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  std::wstring regRel = COpenOfficeSW::PathsFor(3).regRel;

  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(profile.EditAddons(true, regRel));
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(original, Profile());

  {
    HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    EXPECT_FALSE(profile.EditAddons(true, regRel));
    CloseHandle(locked);
  }
  EXPECT_EQ(original, Profile());

  ASSERT_TRUE(profile.EditAddons(true, regRel));
  ASSERT_TRUE(profile.EditAddons(false, regRel));
  EXPECT_EQ(original, Profile()) << "only the edited file changed, and back";
}

TEST_F(OpenOfficeProfileTest, AMissingAcceleratorTemplateOrAnUnreadableListIsAnError) {
  WriteProfile(3, true, TextForm());
  std::wstring accelRel = COpenOfficeSW::PathsFor(3).accelRel;
  DeleteFileW((product_ + L"OOInst\\Accel.xml").c_str());
  COpenOfficeProfile profile(product_, root_, kOrdinary);
  EXPECT_THROW(profile.EditAccelerators(true, accelRel), std::runtime_error);
  EXPECT_TRUE(profile.EditAccelerators(false, accelRel)) << "switching off needs no template";
  // A language folder without "current.xml" is passed by.
  CreateDirectoryW((root_ + accelRel + L"de").c_str(), nullptr);
  oofiles::Write(product_ + L"OOInst\\Accel.xml", hostfab::OpenOfficeTemplates(false)[L"Accel.xml"]);
  EXPECT_TRUE(profile.EditAccelerators(true, accelRel));
}

// The marker's list of what switching on made is read back as written, and
// a path in it never leads switching off outside the profile.
TEST(ProfileAdditionsList, KeepsWhatItNamesAndDropsPathsOutsideTheProfile) {
  ProfileAdditions made;
  made.files = {L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"};
  made.folders = {L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office\\UI"};
  made.sections = {"  <node oor:name=\"OfficeToolBar\">"};
  ProfileAdditions again = ProfileAdditions::Decode(made.Encode());
  EXPECT_EQ(made.files, again.files);
  EXPECT_EQ(made.folders, again.folders);
  EXPECT_EQ(made.sections, again.sections);
  EXPECT_TRUE(again.HasFile(L"\\openoffice.org\\3\\USER\\registry\\data\\org\\openoffice\\Office\\UI\\"
                            L"WriterWindowState.xcu"));

  const char* outside[] = {"file \\..\\..\\Windows\\win.ini", "folder \\OpenOffice.org\\..", "file C:\\boot.ini",
                           "file OpenOffice.org\\x", "folder \\\\server\\share", "file \\a/../b", "folder \\.\\a",
                           "file ", "something else"};
  for (const char* line : outside) {
    ProfileAdditions read = ProfileAdditions::Decode(std::string(line) + "\r\n");
    EXPECT_TRUE(read.files.empty() && read.folders.empty()) << line;
  }
}

TEST(OpenOfficeVersions, AreComparedAsNumbers) {
  struct Row {
    const wchar_t* key;
    bool supported;
    int major;
  };
  for (const Row& row : {Row{L"2.4", true, 2}, Row{L"2.0", true, 2}, Row{L"3.0", true, 3}, Row{L"3.2", true, 3},
                         Row{L"3.2.1", true, 3}, Row{L"3.3", false, 3}, Row{L"3.10", false, 3},
                         Row{L"1.1", false, 1}, Row{L"12.1", false, 12}, Row{L"3", false, 0}}) {
    int major = -1;
    EXPECT_EQ(row.supported, COpenOfficeSW::IsSupportedVersion(row.key, &major)) << row.key;
    EXPECT_EQ(row.major, major) << row.key;
  }
  EXPECT_EQ(L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office", COpenOfficeSW::PathsFor(3).regRel);
  EXPECT_EQ(L"\\OpenOffice.org2\\user\\basic", COpenOfficeSW::PathsFor(2).basicRel);
}

}  // namespace
