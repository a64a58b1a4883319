// The contract on the twin.
#include "drawing_contract.h"
#include "file_system_contract.h"
#include "memory_worlds.h"
#include "modal_contract.h"
#include "threads_contract.h"
#include "window_system_contract.h"

namespace zorvane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, DrawingContract, MemoryWindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryFileWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, WindowSystemContract, MemoryWindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ModalContract, MemoryWindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ThreadsContract, MemoryWindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(RealThreads, ThreadsContract, RealThreadWorld);

}  // namespace zorvane::contract
