// Deleting a record: its header first, then the data elements no other
// header names; and the deletion of elements a write appended.
#include <algorithm>

#include <mdl.h>

#include "MstnHeaderIndex.h"
#include "MstnRecordElement.h"
#include "ZrMstnObject.h"

namespace
{
bool Contains(const std::vector<std::uint64_t>& sorted, std::uint64_t id)
{
    return std::binary_search(sorted.begin(), sorted.end(), id);
}
} // namespace

MstnDeleteResult CZrMstnObject::Delete()
{
    using Outcome = MstnDeleteResult::Outcome;
    // Fails for a search that does not reach the model's end, a header that
    // cannot be read again and a refused delete of the header; goes past a
    // refused delete of a data element once the header is gone.
    // One scan finds the header and the others: a damaged header may name
    // elements that are not its own, so only data elements that no other
    // header names are deleted.
    MstnHeaderIndex index(m_kind);
    index.Gather();
    if (!index.SearchedWholeModel())
    {
        m_scanFailed = true;
        return {Outcome::SearchFailed};
    }
    const MstnFoundHeader* header = index.Find(m_name, m_matchByName, m_skippedHeaderId);
    if (!header)
        return {Outcome::NoRecord};
    std::vector<std::uint64_t> spared;
    for (const std::uint64_t id : header->record.dataIds)
    {
        if (index.NamedByAnother(id, header->position))
            spared.push_back(id);
    }
    std::sort(spared.begin(), spared.end());
    std::uint32_t position = header->position;
    MstnHeldDescriptor element;
    const std::uint32_t readBytes = mdlElmdscr_read(element.Out(), position, mdlModelRef_getActive(), 0, &position);
    if (readBytes == 0 || !element || mdlElement_getID(&element->el) != header->id)
        return {Outcome::SearchFailed};
    // The header goes first: when the host refuses that, the record stays whole.
    const int result = mdlElement_undoableDelete(&element->el, header->position, false);
    if (result != 0)
        return {Outcome::Refused, result};
    // A damaged header may name anything: what of its data is not found or not
    // deleted stays, named by no header.
    DeleteElements(header->record.dataIds.data(), header->record.dataIds.size(), true, spared);
    return {Outcome::Deleted};
}

int CZrMstnObject::DeleteElements(const std::uint64_t* ids, std::size_t count, bool dataOnly,
                                  const std::vector<std::uint64_t>& spared)
{
    int result = 0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint64_t id = ids[i];
        if (Contains(spared, id))
            continue;
        std::uint32_t position = 0;
        MstnHeldDescriptor element;
        int status = 0;
        if (dataOnly)
            element = ReadDataElement(id, position);
        else
            status = mdlAssoc_getElementDescr(element.Out(), &position, id, mdlModelRef_getActive(), true);
        if (!element)
        {
            if (result == 0)
                result = status != 0 ? status : -1;
            continue;
        }
        status = mdlElement_undoableDelete(&element->el, position, false);
        if (status != 0 && result == 0)
            result = status;
    }
    return result;
}
