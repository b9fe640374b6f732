// Writes the Windows module's resources from the module's own sources: the
// six property lists as the Linux module hands them out (one .bin file each)
// and a resource script that names them, with the version resource, for the
// resource compiler. Built and run on the build machine during the Windows
// build, so the two modules can never carry different property lists.
//
//   pipl_rc OUTPUT_DIR     writes OUTPUT_DIR/pipl_<id>.bin and OUTPUT_DIR/Vlam.rc
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "frame/effect_identity.h"
#include "frame/pipl_resources.h"

namespace {

void WriteFile(const std::filesystem::path &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(path.string() + ": cannot write");
}

// A string for the resource script: quotes doubled, as the script's syntax
// wants; the values here are the module's own plain names.
std::string Quoted(const std::string &text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string ResourceScript(const std::filesystem::path &dir) {
  const std::string version = std::to_string(vlam::kVersionMajor) + "." + std::to_string(vlam::kVersionMinor) +
                              "." + std::to_string(vlam::kVersionBugfix);
  const std::string numbers = std::to_string(vlam::kVersionMajor) + "," + std::to_string(vlam::kVersionMinor) +
                              "," + std::to_string(vlam::kVersionBugfix) + ",0";
  std::ostringstream rc;
  rc << "// Written by pipl_rc from the module's sources; do not edit.\n\n";
  for (const PF_ModuleResource &resource : vlam::ModuleResources()) {
    const std::filesystem::path bin = dir / ("pipl_" + std::to_string(resource.id) + ".bin");
    rc << resource.id << " PiPL " << Quoted(bin.generic_string()) << "\n";
  }
  rc << "\n1 VERSIONINFO\n"
     << "FILEVERSION " << numbers << "\n"
     << "PRODUCTVERSION " << numbers << "\n"
     << "FILEFLAGSMASK 0x3F\nFILEFLAGS 0x0\n"
     << "FILEOS 0x40004\n"   // VOS_NT_WINDOWS32
     << "FILETYPE 0x2\n"     // VFT_DLL
     << "FILESUBTYPE 0x0\n"
     << "BEGIN\n"
     << "  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"040904B0\"\n    BEGIN\n"
     << "      VALUE \"CompanyName\", " << Quoted(vlam::kCreditLine) << "\n"
     << "      VALUE \"FileDescription\", " << Quoted(std::string(vlam::kProductWord) + " muzzle flash effects")
     << "\n"
     << "      VALUE \"FileVersion\", " << Quoted(version) << "\n"
     << "      VALUE \"InternalName\", " << Quoted(vlam::kProductWord) << "\n"
     << "      VALUE \"LegalCopyright\", " << Quoted(std::string("Copyright ") + vlam::kCreditLine) << "\n"
     << "      VALUE \"OriginalFilename\", " << Quoted(std::string(vlam::kProductWord) + ".aex") << "\n"
     << "      VALUE \"ProductName\", " << Quoted(vlam::kProductWord) << "\n"
     << "      VALUE \"ProductVersion\", " << Quoted(version) << "\n"
     << "    END\n  END\n"
     << "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", 0x409, 1200\n  END\n"
     << "END\n";
  return rc.str();
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: pipl_rc OUTPUT_DIR\n";
    return 2;
  }
  try {
    const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(dir);
    for (const PF_ModuleResource &resource : vlam::ModuleResources()) {
      WriteFile(dir / ("pipl_" + std::to_string(resource.id) + ".bin"),
                std::string(reinterpret_cast<const char *>(resource.data), resource.size));
    }
    WriteFile(dir / "Vlam.rc", ResourceScript(dir));
    return 0;
  } catch (const std::exception &e) {
    std::cerr << "pipl_rc: " << e.what() << '\n';
    return 1;
  }
}
