// The game's tests draw through the same software GL driver as the engine's
// and need it kept loaded for the same reason (see the engine's copy).
#include "../engine/GlDriverResident.cpp"
