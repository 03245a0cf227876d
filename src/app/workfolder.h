#pragma once
// The folder the program works in. Started where a KORVANT.CTL lies (the
// run folder, a folder of the user's), it stays there; started from the
// desktop's menu, it uses a folder of the user's own, seeded from the
// installed samples on first start.
#include <string>

namespace korvant {

struct WorkFolderEnvironment {
  std::string currentFolder;
  std::string programPath;  // the running program, to find the installed samples
  std::string xdgDataHome;  // $XDG_DATA_HOME, may be empty
  std::string home;         // $HOME, may be empty
};

struct WorkFolder {
  std::string folder;   // where to start
  bool seeded = false;  // the samples were copied there now
  std::string problem;  // why the user's folder could not be used, or empty
};

// Whether the folder holds a KORVANT.CTL (in any case of letters).
bool holdsControlFile(const std::string& folder);

// The installed samples: PREFIX/share/korvant beside PREFIX/bin, else the
// program's own folder when it holds a KORVANT.CTL (the build's run folder),
// else the run folder beside it (korvant-plot in the build's bin folder).
std::string installedSamplesFolder(const std::string& programPath);

// The user's own folder: $XDG_DATA_HOME/korvant, else ~/.local/share/korvant
// (a relative $XDG_DATA_HOME is ignored, as the XDG rules say).
std::string userFolder(const WorkFolderEnvironment& env);

WorkFolder chooseWorkFolder(const WorkFolderEnvironment& env);

}  // namespace korvant
