#pragma once
// CDialogInitData: the initial data a dialog template gives the controls it
// hosts, a binary resource of type "240" under the template's number. Each
// entry, little-endian: the control id (16 bits), the message 0x0376 (16
// bits), the data length (32 bits) and the data: a 32-bit 0 followed by the
// control's persistence stream. A 16-bit 0 may close the block.
#include "com/ComTypes.h"

#include <map>
#include <vector>

class CDialogInitData {
public:
    static constexpr WORD kControlDataMessage = 0x0376;

    // False for an entry that runs past the end of the block or whose data
    // does not start with the 32-bit 0. Entries of other messages are skipped.
    static bool Parse(const BYTE* data, size_t size, CDialogInitData& initData);

    // The persistence stream for control `id`, null when the block has none.
    const std::vector<BYTE>* ForControl(int id) const;

    // Building a block, for the tools that make templates.
    void Add(int id, std::vector<BYTE> stream);
    std::vector<BYTE> Bytes() const;

private:
    std::map<int, std::vector<BYTE>> m_streams;
};
