#include "FrameworkTestSupport.h"

namespace {

CInvalidArgException* CatchInvalidArg() {
    try {
        AfxThrowInvalidArgException();
    } catch (CInvalidArgException* e) {
        return e;
    }
    return nullptr;
}

TEST(FrameworkExceptions, InvalidArgIsCaughtAsTheBaseClassPointer) {
    bool caught = false;
    try {
        AfxThrowInvalidArgException();
    } catch (CException* e) {
        caught = dynamic_cast<CInvalidArgException*>(e) != nullptr;
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

// Every throw shares one object; Delete() must not free it (ASan would report
// freeing a static object, and the next throw would hand out a dangling one).
TEST(FrameworkExceptions, InvalidArgIsOneSharedObjectThatDeleteKeeps) {
    CInvalidArgException* first = CatchInvalidArg();
    ASSERT_NE(first, nullptr);
    first->Delete();
    CInvalidArgException* second = CatchInvalidArg();
    EXPECT_EQ(first, second);
    second->Delete();
}

// One made on the heap with auto-delete is freed by Delete() (LSan checks it).
TEST(FrameworkExceptions, HeapExceptionIsFreedByDelete) {
    try {
        throw new CMemoryException();
    } catch (CException* e) {
        EXPECT_NE(dynamic_cast<CMemoryException*>(e), nullptr);
        e->Delete();
    }
}

}  // namespace
