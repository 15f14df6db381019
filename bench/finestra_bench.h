// A main window model for the benchmarks, in a folder of its own with the
// default settings and a fixed clock.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "window/macchiarossa.h"

namespace bench {

class AmbienteMuto : public mr::Ambiente {
 public:
  void Avviso(const std::string&) override {}
  // 15 March 2004, 21:00 UT: 22:00 of the mean time the benchmarks use.
  std::chrono::sys_seconds AdessoUT() override {
    using namespace std::chrono;
    return sys_days(year(2004) / 3 / 15) + hours(21);
  }
};

inline std::filesystem::path CartellaBench() {
  auto c = std::filesystem::temp_directory_path() / "macchiarossa-bench";
  std::filesystem::create_directories(c);
  std::ofstream(c / "Imp.txt", std::ios::binary) << "98,12,30,41,54,69\r\n";
  std::ofstream(c / "IOra.txt", std::ios::binary) << "0\r\n";
  return c;
}

}  // namespace bench
