// The active model: its elements in file order, each a byte buffer with its
// file position, id, and deleted and visible states.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "msdefs.h"
#include "mselems.h"
#include "mstnhost.h"

// One element of the model. Deleted elements keep their place in the file.
struct ElementRef
{
    ElementId id = 0;
    std::uint32_t filePos = 0;
    bool deleted = false;
    bool visible = true;
    std::vector<std::uint8_t> bytes;   // the element, id included, exactly its size
};

struct DgnModelRef
{
public:
    using Elements = std::vector<std::unique_ptr<ElementRef>>;

    // Checks the element's head against the bytes the buffer holds, gives it
    // the next id (written into the buffer as well) and the next file
    // position, and stores a copy. Throws std::bad_alloc with nothing changed
    // when memory runs out.
    int append(MSElement& element, std::size_t available, bool visible, ElementRef** added);

    // The element that starts at filePos, or with that id; deleted ones included.
    ElementRef* atPosition(std::uint32_t filePos) const;
    ElementRef* byId(ElementId id) const;

    // Index of the first element at or behind filePos (the count when none).
    std::size_t firstAtOrAfter(std::uint32_t filePos) const;

    const Elements& elements() const { return elements_; }
    std::uint32_t endPosition() const { return endPosition_; }
    ElementId nextId() const { return nextId_; }

    void reset();
    // Takes the elements of a design file; they must be in file order from
    // position 0 without gaps, with unique ids below nextId. Throws
    // std::bad_alloc with nothing changed when memory runs out.
    void replace(Elements elements, ElementId nextId);

private:
    Elements elements_;
    std::unordered_map<ElementId, ElementRef*> byId_;
    std::uint32_t endPosition_ = 0;
    ElementId nextId_ = MSTN_FIRST_ELEMENT_ID;
};
