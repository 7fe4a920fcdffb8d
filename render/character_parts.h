// render/character_parts.h — the four characters as jointed parts (render/mesh_builder.h): where
// each part hangs, its shape and its rectangle in the skin. Shared with the media generator,
// which paints the skins to match.
#pragma once

enum CharacterModel { CharacterHero, CharacterZombie, CharacterBigMonster, CharacterRobot, CharacterCount };
struct ModelDesc;
// The description of a CharacterModel, built once on first use.
const ModelDesc& characterDescription(int character);
