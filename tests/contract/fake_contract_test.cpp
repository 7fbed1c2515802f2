// The backend contract on the fake backend, on its virtual clock.
#include "backend_contract.h"
#include "fake_driver.h"

namespace quorvel::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, BackendContract, FakeDriver);

}  // namespace quorvel::contract
