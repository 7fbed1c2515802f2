// The backend contract on FLTK, on the private X display the test runs on.
#include "backend_contract.h"
#include "fltk_driver.h"

namespace quorvel::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Fltk, BackendContract, FltkDriver);

}  // namespace quorvel::contract
