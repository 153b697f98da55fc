#include "OpenOfficeHosts.h"

namespace hostfab {

namespace {

constexpr char kRegistryHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:component-data xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "oor:name=\"%NAME%\" oor:package=\"%PACKAGE%\">\n";
constexpr char kRegistryTail[] = "</oor:component-data>\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Head(const char* name, const char* package) {
  return Replace(Replace(kRegistryHead, "%NAME%", name), "%PACKAGE%", package);
}

std::string Script(const std::string& library, const char* macro) {
  return "vnd.sun.star.script:" + library + ".Module1." + macro + "?language=Basic&amp;location=application";
}

std::string AddonsTemplate(bool vqd) {
  std::string translate = vqd ? "NORVAVQD" : "NORVA", icons = vqd ? "NORVAVQD" : "norva",
              library = vqd ? "NorvaVQD" : "Norva";
  std::string text = Head("Addons", "org.openoffice.Office");
  text += " <node oor:name=\"AddonUI\">\n";
  text += "  <node oor:name=\"OfficeToolBar\">\n";
  text += "   <node oor:name=\"" + translate + ".Translate\" oor:op=\"replace\">\n";
  for (const char* macro : {"TranslateSel", "TranslateAll"}) {
    text += std::string("    <node oor:name=\"m") + macro + "\" oor:op=\"replace\">\n";
    text += "     <prop oor:name=\"URL\" oor:type=\"xs:string\">\n";
    text += "      <value>" + Script(library, macro) + "</value>\n";
    text += "     </prop>\n";
    text += "     <prop oor:name=\"Context\" oor:type=\"xs:string\">\n";
    text += "      <value>com.sun.star.text.TextDocument</value>\n";
    text += "     </prop>\n";
    text += "    </node>\n";
  }
  text += "   </node>\n";
  text += "  </node>\n";
  text += "  <node oor:name=\"Images\">\n";
  for (const char* icon : {"TranslateSel", "TranslateAll", "Setup", "About"}) {
    text += "   <node oor:name=\"" + icons + ".Icon." + icon + "\" oor:op=\"replace\">\n";
    text += "    <prop oor:name=\"URL\" oor:type=\"xs:string\">\n";
    text += "     <value>" + Script(library, icon) + "</value>\n";
    text += "    </prop>\n";
    text += "    <node oor:name=\"UserDefinedImages\">\n";
    text += "     <prop oor:name=\"ImageSmallURL\">\n";
    text += std::string("      <value>%origin%/icons/") + icon + ".bmp</value>\n";
    text += "     </prop>\n";
    text += "    </node>\n";
    text += "   </node>\n";
  }
  text += "  </node>\n";
  text += "  <node oor:name=\"OfficeMenuBar\">\n";
  text += "   <node oor:name=\"" + icons + ".TopMenu\" oor:op=\"replace\">\n";
  text += "    <prop oor:name=\"Title\" oor:type=\"xs:string\">\n";
  text += std::string("     <value xml:lang=\"ru\">") + (vqd ? "NORVA VQD" : "NORVA") + "</value>\n";
  text += "    </prop>\n";
  text += "   </node>\n";
  text += "  </node>\n";
  text += " </node>\n";
  return text + kRegistryTail;
}

std::string WindowStateTemplate(bool vqd) {
  std::string text = Head("WriterWindowState", "org.openoffice.Office.UI");
  text += " <node oor:name=\"UIElements\">\n";
  text += "  <node oor:name=\"States\">\n";
  text += std::string("   <node oor:name=\"private:resource/toolbar/addon_") + (vqd ? "NORVAVQD" : "NORVA") +
          ".Translate\" oor:op=\"replace\">\n";
  text += "    <prop oor:name=\"Docked\" oor:type=\"xs:boolean\">\n";
  text += "     <value>true</value>\n";
  text += "    </prop>\n";
  text += "    <prop oor:name=\"Visible\" oor:type=\"xs:boolean\">\n";
  text += "     <value>true</value>\n";
  text += "    </prop>\n";
  text += "   </node>\n";
  text += "  </node>\n";
  text += " </node>\n";
  return text + kRegistryTail;
}

std::string EventsTemplate(bool vqd) {
  std::string text = Head("Events", "org.openoffice.Office");
  text += " <node oor:name=\"ApplicationEvents\">\n";
  text += "  <node oor:name=\"Bindings\">\n";
  text += std::string("   <node oor:name=\"") + (vqd ? "OnNew" : "OnStartApp") + "\" oor:op=\"replace\">\n";
  text += "    <prop oor:name=\"BindingURL\" oor:type=\"xs:string\">\n";
  text += "     <value>" + Script(vqd ? "NorvaVQD" : "Norva", "OnStart") + "</value>\n";
  text += "    </prop>\n";
  text += "   </node>\n";
  text += "  </node>\n";
  text += " </node>\n";
  return text + kRegistryTail;
}

std::string AccelTemplate(bool vqd) {
  std::string library = vqd ? "NorvaVQD" : "Norva";
  return std::string(" <accel:item accel:code=\"") + (vqd ? "KEY_F9" : "KEY_F11") +
         "\" accel:mod2=\"true\" xlink:href=\"" + Script(library, "TranslateSel") + "\"/>\n" +
         " <accel:item accel:code=\"" + (vqd ? "KEY_F10" : "KEY_F12") + "\" accel:mod2=\"true\" xlink:href=\"" +
         Script(library, "TranslateAll") + "\"/>\n";
}

std::string LibraryEntry(const std::string& library) {
  return " <library:library library:name=\"" + library + "\" xlink:href=\"$(USER)/basic/" + library +
         "/script.xlb/\" xlink:type=\"simple\" library:link=\"false\"/>\n";
}

}  // namespace

std::string InForm(const std::string& text, const TextForm& form) {
  std::string lines = Replace(text, "\n", form.lineEnd);
  switch (form.encoding) {
    case TextForm::Utf8:
      return lines;
    case TextForm::Utf8Mark:
      return "\xEF\xBB\xBF" + lines;
    case TextForm::Utf16Le: {
      int length = MultiByteToWideChar(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()), nullptr, 0);
      std::wstring wide(length, L'\0');
      MultiByteToWideChar(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()), wide.data(), length);
      std::string bytes = "\xFF\xFE";
      for (wchar_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
      }
      return bytes;
    }
  }
  return lines;
}

std::map<std::wstring, std::string> OpenOfficeTemplates(bool vqd) {
  std::string library = vqd ? "NorvaVQD" : "Norva";
  return {
      {L"Addons.xcu", AddonsTemplate(vqd)},
      {L"WriterWindowState.xcu", WindowStateTemplate(vqd)},
      {L"Accel.xml", AccelTemplate(vqd)},
      {L"Events.xcu", EventsTemplate(vqd)},
      {L"script.xlc", LibraryEntry(library)},
      {L"Norva\\Icons.xba", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<script:module script:name=\"Icons\" "
                            "script:language=\"StarBasic\">REM icons of " + library + "\n</script:module>\n"},
      {L"Norva\\Module1.xba", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<script:module script:name=\"Module1\" "
                              "script:language=\"StarBasic\">Sub TranslateSel\nEnd Sub\n</script:module>\n"},
      {L"Norva\\script.xlb", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<library:library library:name=\"" +
                                 library + "\" library:readonly=\"false\" library:passwordprotected=\"false\">\n"
                                 " <library:element library:name=\"Module1\"/>\n"
                                 " <library:element library:name=\"Icons\"/>\n</library:library>\n"},
  };
}

std::wstring InstallOpenOfficePlugin(FabricatedMachine& machine, bool vqd) {
  std::wstring folder =
      machine.MakeProductFolder(vqd ? L"OpenOfficeVQD" : L"OpenOffice", vqd ? L"OpenOfficeVQD" : L"OpenOffice");
  machine.WriteFile(folder + L"program\\" + (vqd ? L"QuillmodVQD.dll" : L"Quillmod.dll"), "MZ Quillmod stand-in");
  for (const auto& [name, text] : OpenOfficeTemplates(vqd)) machine.WriteFile(folder + L"OOInst\\" + name, text);
  return folder;
}

void RemoveOpenOffice(FabricatedMachine& machine) {
  machine.DeleteKey(HKEY_LOCAL_MACHINE, kOpenOfficeKey);
  machine.DeleteKey(HKEY_CURRENT_USER, kOpenOfficeKey);
}

void AddOpenOfficeVersion(FabricatedMachine& machine, HKEY root, const std::wstring& version) {
  machine.SetString(root, std::wstring(kOpenOfficeKey) + L"\\" + version, L"Path",
                    L"C:\\Program Files\\OpenOffice.org " + version.substr(0, 1) + L"\\program\\soffice.exe");
}

std::wstring OpenOfficeUserFolder(int major) {
  return major == 2 ? L"OpenOffice.org2\\user" : L"OpenOffice.org\\3\\user";
}

std::map<std::wstring, std::string> OpenOfficeProfileFiles(int major, bool userEntries) {
  std::wstring user = OpenOfficeUserFolder(major);
  std::wstring registry = user + L"\\registry\\data\\org\\openoffice\\Office\\";
  std::map<std::wstring, std::string> files;

  std::string addons = Head("Addons", "org.openoffice.Office") + " <node oor:name=\"AddonUI\">\n";
  if (userEntries) {
    addons +=
        "  <node oor:name=\"OfficeToolBar\">\n"
        "   <node oor:name=\"org.example.WordCount\" oor:op=\"replace\">\n"
        "    <node oor:name=\"m1\" oor:op=\"replace\">\n"
        "     <prop oor:name=\"URL\" oor:type=\"xs:string\">\n"
        "      <value>macro:///Standard.Module1.WordCount()</value>\n"
        "     </prop>\n"
        "    </node>\n"
        "   </node>\n"
        "  </node>\n"
        "  <node oor:name=\"Images\">\n"
        "   <node oor:name=\"org.example.Icon\" oor:op=\"replace\">\n"
        "    <prop oor:name=\"URL\" oor:type=\"xs:string\">\n"
        "     <value>macro:///Standard.Module1.WordCount()</value>\n"
        "    </prop>\n"
        "   </node>\n"
        "  </node>\n"
        "  <node oor:name=\"OfficeMenuBar\">\n"
        "   <node oor:name=\"org.example.Menu\" oor:op=\"replace\">\n"
        "    <prop oor:name=\"Title\" oor:type=\"xs:string\">\n"
        "     <value xml:lang=\"ru\">\xD0\x9F\xD0\xBE\xD0\xB4\xD1\x81\xD1\x87\xD1\x91\xD1\x82</value>\n"
        "    </prop>\n"
        "   </node>\n"
        "  </node>\n";
  } else {
    addons +=
        "  <node oor:name=\"OfficeToolBar\">\n"
        "  </node>\n"
        "  <node oor:name=\"Images\">\n"
        "  </node>\n"
        "  <node oor:name=\"OfficeMenuBar\">\n"
        "  </node>\n";
  }
  files[registry + L"Addons.xcu"] = addons + " </node>\n" + kRegistryTail;

  std::string states = Head("WriterWindowState", "org.openoffice.Office.UI") +
                       " <node oor:name=\"UIElements\">\n"
                       "  <node oor:name=\"States\">\n";
  if (userEntries)
    states +=
        "   <node oor:name=\"private:resource/toolbar/standardbar\" oor:op=\"replace\">\n"
        "    <prop oor:name=\"Visible\" oor:type=\"xs:boolean\">\n"
        "     <value>true</value>\n"
        "    </prop>\n"
        "   </node>\n";
  files[registry + L"UI\\WriterWindowState.xcu"] = states + "  </node>\n </node>\n" + kRegistryTail;

  std::string accel =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<accel:acceleratorlist xmlns:accel=\"http://openoffice.org/2001/accel\" "
      "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n";
  if (userEntries) accel += " <accel:item accel:code=\"KEY_F5\" xlink:href=\".uno:Navigator\"/>\n";
  accel += "</accel:acceleratorlist>\n";
  std::wstring accelerators = user + L"\\config\\soffice.cfg\\modules\\swriter\\accelerator\\";
  files[accelerators + L"en-US\\current.xml"] = accel;
  files[accelerators + L"ru\\current.xml"] = accel;

  if (userEntries)
    files[registry + L"Events.xcu"] = Head("Events", "org.openoffice.Office") +
                                      " <node oor:name=\"ApplicationEvents\">\n"
                                      "  <node oor:name=\"Bindings\">\n"
                                      "   <node oor:name=\"OnSave\" oor:op=\"replace\">\n"
                                      "    <prop oor:name=\"BindingURL\" oor:type=\"xs:string\">\n"
                                      "     <value>macro:///Standard.Module1.Backup()</value>\n"
                                      "    </prop>\n"
                                      "   </node>\n"
                                      "  </node>\n"
                                      " </node>\n" +
                                      kRegistryTail;

  std::string xlc =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE library:libraries PUBLIC \"-//OpenOffice.org//DTD OfficeDocument 1.0//EN\" \"libraries.dtd\">\n"
      "<library:libraries xmlns:library=\"http://openoffice.org/2000/library\" "
      "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n" +
      LibraryEntry("Standard");
  if (userEntries) xlc += LibraryEntry("Tools");
  files[user + L"\\basic\\script.xlc"] = xlc + "</library:libraries>\n";
  files[user + L"\\basic\\Standard\\script.xlb"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<library:library library:name=\"Standard\"/>\n";
  return files;
}

std::map<std::wstring, std::string> OpenOfficeBareProfileFiles(int major) {
  std::map<std::wstring, std::string> files;
  std::wstring user = OpenOfficeUserFolder(major);
  std::wstring registry = user + L"\\registry\\data\\org\\openoffice\\Office\\";
  for (auto& [path, text] : OpenOfficeProfileFiles(major, false)) {
    if (path == registry + L"UI\\WriterWindowState.xcu") continue;
    files[path] = text;
  }
  files[registry + L"Addons.xcu"] = Head("Addons", "org.openoffice.Office") + " <node oor:name=\"AddonUI\">\n" +
                                    " </node>\n" + kRegistryTail;
  return files;
}

std::wstring AddOpenOfficeBareProfile(FabricatedMachine& machine, const std::wstring& appData, int major,
                                      const TextForm& form) {
  for (const auto& [path, text] : OpenOfficeBareProfileFiles(major))
    machine.WriteFile(appData + L"\\" + path, InForm(text, form));
  return appData + L"\\" + OpenOfficeUserFolder(major);
}

std::wstring AddOpenOfficeProfile(FabricatedMachine& machine, const std::wstring& appData, int major,
                                  bool userEntries, const TextForm& form) {
  for (const auto& [path, text] : OpenOfficeProfileFiles(major, userEntries))
    machine.WriteFile(appData + L"\\" + path, InForm(text, form));
  return appData + L"\\" + OpenOfficeUserFolder(major);
}

std::wstring AddOpenOfficeHost(FabricatedMachine& machine, const std::wstring& appData) {
  RemoveOpenOffice(machine);
  InstallOpenOfficePlugin(machine, false);
  InstallOpenOfficePlugin(machine, true);
  AddOpenOfficeVersion(machine, HKEY_LOCAL_MACHINE, L"3.2");
  AddOpenOfficeVersion(machine, HKEY_CURRENT_USER, L"2.4");
  AddOpenOfficeProfile(machine, appData, 3);
  AddOpenOfficeProfile(machine, appData, 2, true, TextForm{"\r\n", TextForm::Utf8});
  machine.WatchFolder(appData + L"\\OpenOffice.org");
  machine.WatchFolder(appData + L"\\OpenOffice.org2");
  return L"  OpenOffice.org 3.2 (machine) and 2.4 (user) with their profiles, plug-ins Quillmod.dll and "
         L"QuillmodVQD.dll (stand-ins)";
}

}  // namespace hostfab
