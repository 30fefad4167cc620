#include "platform/db/DatabaseError.h"

EDatabaseError::EDatabaseError(const std::string& message) : std::runtime_error(message) {}
