#include "MstnDesign.h"

#include <string>

#include <mstnhost.h>

#include "Client200Session.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"

namespace
{
class MstnDesignHost : public Client200Host
{
public:
    bool SaveFile() override { return mstnHost_saveDesignFile(m_saved.Path().c_str()) == MSTN_SUCCESS; }
    bool ReopenFile() override { return mstnHost_loadDesignFile(m_saved.Path().c_str()) == MSTN_SUCCESS; }
    void CheckHost(const std::string& step) override
    {
        FuzzCheck(mstnHost_faultCount() == 0,
                  "the host counts a descriptor fault after " + step + ": " + mstnHost_lastFault());
    }

private:
    FuzzFile m_saved{"saved", ".dgn"};
};
} // namespace

std::uint64_t DesignFileChecksum(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < size; ++i)
    {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void FuzzDesignFile(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(data, data + size);
    const std::uint64_t sum = DesignFileChecksum(data, size);
    for (int i = 0; i < 8; ++i)
        file.push_back(static_cast<std::uint8_t>(sum >> (8 * i)));
    const FuzzFile input("input", ".dgn");
    mstnHost_resetModel();
    mstnHost_clearFaults();
    if (!input.Write(file) || mstnHost_loadDesignFile(input.Path().c_str()) != MSTN_SUCCESS)
        return;
    {
        MstnDesignHost host;
        RunClient200Session(host);
    }
    FuzzCheck(mstnHost_liveDescriptorCount() == 0, "the module holds a descriptor when the session ends");
    mstnHost_resetModel();
}
