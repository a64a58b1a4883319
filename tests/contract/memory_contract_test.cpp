// The contract on the twin.
#include "file_system_contract.h"
#include "memory_worlds.h"
#include "window_system_contract.h"

namespace zorvane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryFileWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, WindowSystemContract, MemoryWindowWorld);

}  // namespace zorvane::contract
