#pragma once
#include <filesystem>
#include <memory>
#include <string>

namespace vlam::host {

class Host;
class Project;

// Scene files: JSON holding compositions, their layers and each layer's
// effects with their parameter values (see docs/scene-format.md).

// Reads a scene into a new project (the caller opens it in the host).
// Effects named in it are set up in the host as needed. Throws HostError:
// "<file>: <place>: <what is wrong>" on one line.
std::unique_ptr<Project> readScene(Host &host, const std::filesystem::path &file);
std::unique_ptr<Project> parseScene(Host &host, const std::string &text, const std::filesystem::path &file);

// The scene text of a project; image paths are written as the project holds
// them. Every value is written so that reading it back gives the same bits.
// Effects flatten their arbitrary data, and their sequence data when they set
// PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING (EffectRunner::flatSequenceData).
std::string writeScene(const Project &project);
// Writes atomically (temporary file, then rename).
void saveScene(const Project &project, const std::filesystem::path &file);

} // namespace vlam::host
