#pragma once

namespace pellamo {

// Registers the skinned edits so window descriptions can create them
// (idempotent).
void RegisterSkinEditClasses();

}
