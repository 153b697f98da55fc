#pragma once
#include <string>
#include <vector>

// What switching the product's integration on made in an OpenOffice.org
// profile that the profile did not have at all: whole files, folders and
// sections of "Addons.xcu". The switch keeps the list in its marker file, so
// that switching off, in the same run or a later one, takes each away again
// once nothing but the template's frame is left in it.
struct ProfileAdditions {
  // Paths as they are appended to the profile root ("\OpenOffice.org\3\...").
  std::vector<std::wstring> files;
  std::vector<std::wstring> folders;
  // Section lines of "Addons.xcu" ("  <node oor:name=\"OfficeToolBar\">").
  std::vector<std::string> sections;

  bool Empty() const { return files.empty() && folders.empty() && sections.empty(); }
  bool HasFile(const std::wstring& path) const;

  // One line each: "file <path>", "folder <path>" or "section <line>", UTF-8.
  std::string Encode() const;
  // Lines of any other kind, and paths that could reach outside the profile
  // (absolute, with a drive or with a ".." level), are left out.
  static ProfileAdditions Decode(const std::string& bytes);
};
