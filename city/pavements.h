// city/pavements.h — pavements along roads and shores, and the cuts that split land into blocks.
#pragma once

// Edges roads and shores with pavement, continues shores into inward coast corners and cuts
// the land into rectangular blocks at least three cells across. Writes only Pavement.
void generatePavementsAndBlocks();
