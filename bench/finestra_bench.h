// A main window model for the benchmarks, in a folder of its own with the
// default settings and a fixed clock.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "window/macchiarossa.h"

namespace bench {

class AmbienteMuto : public mr::Ambiente {
 public:
  void Avviso(const std::string&) override {}
  std::string DataSistema() override { return "03-15-2004"; }
  std::string OraSistema() override { return "22:00:00"; }
};

inline std::filesystem::path CartellaBench() {
  auto c = std::filesystem::temp_directory_path() / "macchiarossa-bench";
  std::filesystem::create_directories(c);
  std::ofstream(c / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  std::ofstream(c / "IOra.txt", std::ios::binary) << "0\r\n";
  return c;
}

}  // namespace bench
