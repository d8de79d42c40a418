#pragma once

namespace pellamo {

// Registers the track bars and the scroll bar so window descriptions can
// create them (idempotent).
void RegisterSkinScrollClasses();

}
