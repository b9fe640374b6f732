// vlam render [SCENE]: renders frames of the first composition to image files.
#include "cli/CliContext.h"
#include "cli/Console.h"
#include "cli/FramePattern.h"
#include "cli/RenderProgress.h"
#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/FrameWriter.h"
#include "host/io/ImageFiles.h"
#include "host/render/CompRenderer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iostream>

namespace vlam::cli {
namespace {

struct RenderArgs {
  std::string scene;
  std::string output = "vlam_####.png";
  std::string frames;
  int depth = 0; // 0: 8 for PNG, 32 for EXR
  int threads = 0;
  std::string quality = "high";
  int downsample = 1;
  int pngCompression = host::FileCompression{}.pngLevel;
  std::string exrCompression = host::exrCompressionName(host::FileCompression{}.exr);
  bool quiet = false;
};

std::string lowerExtension(const std::string &path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

void run(const GlobalOptions &options, RenderArgs args) {
  // Everything that can be checked is checked before the first file is written.
  const std::string ext = lowerExtension(args.output);
  if (ext != ".png" && ext != ".exr")
    throw host::HostError("-o " + args.output + ": the file name must end in .png or .exr");
  if (args.depth == 0) args.depth = ext == ".exr" ? 32 : 8;
  host::RenderSettings settings;
  settings.depth = host::pixelDepthFromBits(args.depth);
  if (args.quality != "high" && args.quality != "low")
    throw host::HostError("--quality must be high or low, not '" + args.quality + "'");
  settings.quality = args.quality == "high" ? PF_Quality_HI : PF_Quality_LO;
  settings.downsample = args.downsample;
  host::FileCompression compression;
  compression.pngLevel = args.pngCompression;
  const auto exr = host::exrCompressionNamed(args.exrCompression);
  if (!exr) {
    std::string names;
    for (const std::string &name : host::exrCompressionNames()) names += (names.empty() ? "" : ", ") + name;
    throw host::HostError("--exr-compression " + args.exrCompression + " is not one of " + names);
  }
  compression.exr = *exr;
  const std::filesystem::path dir = std::filesystem::path(args.output).parent_path();
  if (!dir.empty() && !std::filesystem::is_directory(dir))
    throw host::HostError("-o " + args.output + ": the directory " + dir.string() + " does not exist");
  host::checkFolderWritable(dir);

  auto host = startHost(options, args.threads);
  openScene(*host, args.scene);
  if (host->project().comps.empty()) throw host::HostError(args.scene + ": the scene holds no composition");
  host::Composition &comp = *host->project().comps.front();
  const FrameRange range = parseFrameRange(args.frames, comp.durationFrames);
  if (range.first != range.last && !hasFrameField(args.output))
    throw host::HostError("-o " + args.output + ": several frames need #### in the file name for the frame number");

  // Ctrl-C asks the host to cancel; the render stops between (or inside) frames.
  InterruptHandler interrupt(host->cancelRequested);
  const RenderProgress::Style style = args.quiet                  ? RenderProgress::Style::Quiet
                                      : stderrIsTerminal()           ? RenderProgress::Style::Terminal
                                                                   : RenderProgress::Style::Lines;
  RenderProgress progress(style, range.last - range.first + 1, std::cerr);
  // Each frame is written on the writer's thread while the next renders.
  host::FrameWriter writer(compression, [&](const std::filesystem::path &file) { progress.written(file); });
  host::CompRenderer renderer(*host, comp, settings);
  std::size_t shown = 0;
  const auto showMessages = [&] {
    if (host->messages.size() > shown) progress.print([&] { shown += printHostMessages(*host, shown); });
  };
  for (std::int64_t frame = range.first; frame <= range.last; ++frame) {
    if (host->cancelRequested) break;
    host::Image image;
    try {
      image = renderer.renderFrame(frame);
    } catch (const host::HostError &) {
      // What the effects reported about a cancelled frame is the cancel
      // itself: one line below says it.
      if (host->cancelRequested) break;
      showMessages();
      throw;
    }
    // A frame during which Ctrl-C came may be unfinished (an effect may have
    // stopped early without failing): it is not written.
    if (host->cancelRequested) break;
    writer.add(frameFileName(args.output, frame), std::move(image));
    showMessages();
  }
  // Frames rendered before a Ctrl-C are complete and are written.
  writer.finish();
  progress.end();
  if (host->cancelRequested) {
    std::cerr << "vlam: rendering cancelled; the unfinished frame was not written\n";
    exitCode() = kExitCancelled;
  }
}

} // namespace

void addRenderCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("render", "Render frames of a scene (the built-in scene when none is given)");
  auto args = std::make_shared<RenderArgs>();
  cmd->add_option("SCENE", args->scene, "Scene file");
  cmd->add_option("-o,--output", args->output,
                  "Output file pattern; #### is the frame number; .png (8 or 16 bits) or .exr (float)")
      ->capture_default_str();
  cmd->add_option("--frames", args->frames, "Frames A-B or one frame N (default: all)");
  cmd->add_option("--depth", args->depth, "Bits per channel: 8, 16 or 32 (default: 8 for PNG, 32 for EXR)")
      ->check(CLI::IsMember({8, 16, 32}));
  cmd->add_option("--threads", args->threads, "Worker threads (default: one per processor)")->check(CLI::Range(1, 256));
  cmd->add_option("--quality", args->quality, "high or low")->check(CLI::IsMember({"high", "low"}))->capture_default_str();
  cmd->add_option("--downsample", args->downsample, "Render at 1/N resolution")->check(CLI::Range(1, 64))->capture_default_str();
  cmd->add_option("--png-compression", args->pngCompression, "PNG compression: 0 (stored), 1 (Huffman coding only, fast), 2-9 (zlib levels, 9 smallest)")
      ->check(CLI::Range(0, 9))
      ->capture_default_str();
  cmd->add_option("--exr-compression", args->exrCompression,
#if defined(_WIN32)
                  "OpenEXR compression: none (the Windows build writes OpenEXR uncompressed only)")
#else
                  "OpenEXR compression (all lossless): none, rle, zips (zlib per row), zip (zlib per 16 rows), piz (wavelet)")
#endif
      ->check(CLI::IsMember(host::exrCompressionNames()))
      ->capture_default_str();
  cmd->add_flag("-q,--quiet", args->quiet,
                "No progress (otherwise a progress line on a terminal, else a line per written frame)");
  cmd->callback([&options, args] { run(options, *args); });
}

} // namespace vlam::cli
