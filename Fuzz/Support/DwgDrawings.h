// The DWG host's side of the drawing harnesses: loading a module, a drawing
// read from a file as the working drawing, and the check that the module left
// nothing open that a later command needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <arxheaders.h>

// Sets the environment a module reads at load time (CommonProgramFiles naming
// the build's common files folder, or unset for null; local time in UTC) and loads the module
// through the host's loader; aborts when it does not load.
void LoadDwgModule(const char* path, const char* commonFiles);

struct WorkingDrawingCloser
{
    void operator()(AcDbDatabase* drawing) const;
};
using Drawing = std::unique_ptr<AcDbDatabase, WorkingDrawingCloser>;

// A drawing read from the file and made the working drawing; null when the file does not read.
Drawing OpenDrawing(const std::string& path);
// The harness's input written to a file and read as OpenDrawing reads it.
Drawing OpenInputDrawing(const std::uint8_t* data, std::size_t size);
bool SaveDrawing(AcDbDatabase& drawing, const std::string& path);

// Aborts when the named objects dictionary or "QD_SIM" is still open.
void ExpectNothingLeftOpen(AcDbDatabase& drawing, const std::string& step);
