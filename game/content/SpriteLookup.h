// Gives a game object its sprite by label, or says in the log that the label
// names no sprite.
#pragma once

#include <string>

namespace zp {
class Object;
}

// Sets the sprite (with its box) and the animation slowdown; when no sprite
// has the label, writes "<kind>::<kind>(): Warning! Sprite '<name>' not
// found" and leaves the object without one. True when the sprite was set.
bool setSpriteOrWarn(zp::Object& object, const std::string& label, int slowdown, const char* kind,
                     const char* name);
