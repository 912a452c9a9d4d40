// Reading files whole, and running a built program with its output captured.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kuvtest {

inline std::string ReadText(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs the program with the arguments (each quoted for the shell); its standard
// output and error pass through files in `scratch`, which are removed afterwards.
inline TRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& scratch) {
  const auto quoted = [](const std::string& text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
  };
  const std::string out = (scratch / "stdout").string();
  const std::string err = (scratch / "stderr").string();
  std::string command = quoted(program);
  for (const std::string& arg : args) command += " " + quoted(arg);
  command += " >" + quoted(out) + " 2>" + quoted(err);
  const int raw = std::system(command.c_str());
  TRun run;
  run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.Out = ReadText(out);
  run.Err = ReadText(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace kuvtest
