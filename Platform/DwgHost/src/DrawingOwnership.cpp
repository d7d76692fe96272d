// The ownership a drawing's dictionaries describe, checked once the whole drawing
// is read: every object has one owner, so the dictionaries and what they name
// form a tree under the drawing.
#include <map>
#include <memory>
#include <vector>

#include "DrawingFile.h"

namespace DwgHostDetail
{
bool dictionariesFormATree(const std::vector<AcDbStub*>& objects, const std::vector<const AcDbStub*>& roots)
{
    // The owner of each object a dictionary names; null for the drawing's roots,
    // which the drawing itself owns.
    std::map<const AcDbStub*, const AcDbStub*> ownerOf;
    for (const AcDbStub* root : roots)
        ownerOf.emplace(root, nullptr);
    for (const AcDbStub* stub : objects) {
        const AcDbDictionary* dictionary = AcDbDictionary::cast(stub->object);
        if (!dictionary)
            continue;
        std::unique_ptr<AcDbDictionaryIterator> entries(dictionary->newIterator());
        for (; !entries->done(); entries->next()) {
            // An object owned already, by the drawing or by a dictionary (this
            // one included, under another key), cannot be this one's too.
            if (!ownerOf.emplace(DwgHostObjectAccess::stub(entries->objectId()), stub).second)
                return false;
        }
    }
    // No dictionary may own itself, nor one of its owners: walking up from any
    // object must end (at the drawing, or at a dictionary nothing
    // names), never come back to where the walk has passed.
    enum Walk { kUnseen, kOnPath, kNoCycle };
    std::map<const AcDbStub*, Walk> walked;
    for (const auto& owned : ownerOf) {
        std::vector<const AcDbStub*> path;
        const AcDbStub* at = owned.first;
        while (at && walked[at] == kUnseen) {
            walked[at] = kOnPath;
            path.push_back(at);
            const auto up = ownerOf.find(at);
            at = up == ownerOf.end() ? nullptr : up->second;
        }
        if (at && walked[at] == kOnPath)
            return false;
        for (const AcDbStub* passed : path)
            walked[passed] = kNoCycle;
    }
    return true;
}
}  // namespace DwgHostDetail
