// render/mesh_builder.h — characters described as jointed parts, expanded into pose blocks.
// Each part is a convex solid (a box, possibly narrower or wider at its top, or a spike of
// four triangles) hung on a joint of its parent; a pose turns the joints, and the builder
// writes the triangles of every pose in one shared vertex order with one set of texture
// coordinates taken from the part's rectangle in the model's skin image.
#pragma once

constexpr int SkinSize = 256;   // model skins are SkinSize x SkinSize pixels
constexpr int MaxParts = 16;
constexpr int BoxTriangles = 12;
constexpr int SpikeTriangles = 4;

enum PartShape { ShapeBox, ShapeSpike };

// Box faces; each gets one cell of the part's skin rectangle (3 columns by 2 rows, in this order).
enum BoxFace { FaceFront, FaceLeft, FaceBack, FaceRight, FaceTop, FaceBottom };

struct PartDesc {
    const char* name;
    int parent;          // index of an earlier part, or -1 for the root
    float pivot[3];      // joint position, model space, rest pose
    PartShape shape;
    float lo[3], hi[3];  // box: bounds at rest; the top face (y = hi) is scaled by topScale
    float topScale;
    float spike[4][3];   // spike: its four corners at rest
    int skin[4];         // skin rectangle x, y, w, h in pixels, y counted from the top row
};

struct JointTurn {
    int part;
    float x, y, z;       // degrees about x, y and z (applied z first, then x, then y)
};

struct PoseDesc {
    bool grounded;       // lift or drop the pose so its lowest point rests on y = 0
    float lift;          // extra height after grounding (or plain offset when not grounded)
    int turnCount;
    JointTurn turns[MaxParts + 1];
};

struct ModelDesc {
    int partCount;
    PartDesc parts[MaxParts];
    int poseCount;
    const PoseDesc* poses;
};

// Number of triangles of a description.
int modelTriangleCount(const ModelDesc& model);
// Writes poseCount blocks of 8V floats (positions, texture coordinates, normals) into out.
void buildModelBlocks(const ModelDesc& model, float* out);
// Skin pixel rectangle (x, y, w, h) of face f of a box part; for a spike, f = 0..3 gives its
// four triangle cells.
void faceSkinRect(const PartDesc& part, int f, int rect[4]);
// The first triangle of part p in the shared vertex order.
int partFirstTriangle(const ModelDesc& model, int p);
