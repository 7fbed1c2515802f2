// The backend contract on the backend whose driver this test is linked with.
#include "backend_contract.h"

namespace quorvel::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(QUORVEL_CONTRACT_BACKEND, BackendContract, BackendDriver);

}  // namespace quorvel::contract
