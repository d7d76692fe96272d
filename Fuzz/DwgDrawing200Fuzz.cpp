// A drawing file opened in the DWG host with a format 200 module loaded (one
// that binds its format 101 module, so old records are read and upgraded too):
// the client's session of Client200Session.h, the drawing checked after each
// step for dictionaries left open.
#include <cstddef>
#include <cstdint>

#include "Client200Session.h"
#include "DwgDrawings.h"
#include "FuzzFiles.h"

namespace
{
class DwgDrawingHost : public Client200Host
{
public:
    explicit DwgDrawingHost(Drawing drawing) : m_drawing(std::move(drawing)) {}

    bool SaveFile() override { return SaveDrawing(*m_drawing, m_saved.Path()); }
    bool ReopenFile() override
    {
        m_drawing.reset();
        m_drawing = OpenDrawing(m_saved.Path());
        return m_drawing != nullptr;
    }
    void CheckHost(const std::string& step) override { ExpectNothingLeftOpen(*m_drawing, step); }

private:
    FuzzFile m_saved{"saved", ".dwg"};
    Drawing m_drawing;
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LoadDwgModule(PM_FUZZ_MODULE_PATH, PM_FUZZ_COMMON_FILES);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Drawing drawing = OpenInputDrawing(data, size);
    if (!drawing)
        return 0;
    DwgDrawingHost host(std::move(drawing));
    RunClient200Session(host);
    return 0;
}
