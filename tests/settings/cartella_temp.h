// A fresh folder for one test, removed at the end.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace mr::prova {

class CartellaTemp {
 public:
  CartellaTemp() {
    std::random_device casuale;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string nome = std::string("mr_prova_") + (info ? info->name() : "prova") + "_" +
                       std::to_string(casuale());
    for (char& c : nome)
      if (c == '/') c = '_';
    percorso_ = std::filesystem::temp_directory_path() / nome;
    std::filesystem::create_directories(percorso_);
  }
  ~CartellaTemp() {
    std::error_code ec;
    // Read-only files and folders left by a test must not stop the clean-up.
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    for (auto& e : std::filesystem::recursive_directory_iterator(percorso_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(percorso_, ec);
  }
  CartellaTemp(const CartellaTemp&) = delete;
  CartellaTemp& operator=(const CartellaTemp&) = delete;

  const std::filesystem::path& percorso() const { return percorso_; }

  void Scrivi(const std::string& nome, const std::string& byte) const {
    std::ofstream f(percorso_ / nome, std::ios::binary);
    f << byte;
  }

  std::string Leggi(const std::string& nome) const {
    std::ifstream f(percorso_ / nome, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  // Names of the entries of the folder (or of one of its folders), sorted.
  std::vector<std::string> Nomi(const std::string& sottocartella = "") const {
    std::vector<std::string> nomi;
    for (auto& e : std::filesystem::directory_iterator(percorso_ / sottocartella))
      nomi.push_back(e.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }

 private:
  std::filesystem::path percorso_;
};

}  // namespace mr::prova
