#include "content/SpriteLookup.h"

#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ResourceManager.h"

bool setSpriteOrWarn(zp::Object& object, const std::string& label, int slowdown, const char* kind,
                     const char* name)
{
    zp::Sprite* p_found = zp::ResourceManager::getInstance().getSprite(label);
    if (p_found == nullptr) {
        zp::LogManager::getInstance().writeLog("%s::%s(): Warning! Sprite '%s' not found", kind, kind, name);
        return false;
    }
    object.setSprite(p_found);
    object.setSpriteSlowdown(slowdown);
    return true;
}
