// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the companion's tests: run the built program, make a configuration file that
// points at the runtime folder's data, one output folder per test.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace companion_test {

struct TRun {
  int Status = -1;
  std::string Out; // standard output (UTF-8)
  std::string Err; // standard error
};

// Runs `program` with the arguments in the folder `workDir` (the runtime folder when empty).
TRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                const std::string& workDir = "");
// Runs the built astravia-chart.
TRun RunChart(const std::vector<std::string>& args);

// A fresh folder under the tests' output folder.
class TTestFolder {
public:
  explicit TTestFolder(const std::string& name);
  std::string Path(const std::string& name) const;
  // Writes a configuration file here: the shipped one with its data file names made to point
  // into the runtime folder, and the given [PositionFrame]/[TreeSection] keys replaced
  // (values relative to the runtime folder, or to this folder when they start with "./").
  // Returns its path.
  std::string Ini(const std::string& name = "quellantree.ini",
                  const std::map<std::string, std::string>& replaced = {}) const;

private:
  std::string Folder;
};

} // namespace companion_test
