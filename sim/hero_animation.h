// sim/hero_animation.h — the hero's key-pose state machine.
#pragma once

// Advances the blend between key poses and picks the next pose at each key.
void updateHeroAnimation(float f);
