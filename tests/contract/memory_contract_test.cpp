// The contract on the twin.
#include "file_system_contract.h"
#include "memory_worlds.h"

namespace zorvane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryFileWorld);

}  // namespace zorvane::contract
