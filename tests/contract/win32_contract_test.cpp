// The backend contract on Win32, under Wine on the private X display the test runs on.
#include "backend_contract.h"
#include "win32_driver.h"

namespace quorvel::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendContract, Win32Driver);

}  // namespace quorvel::contract
