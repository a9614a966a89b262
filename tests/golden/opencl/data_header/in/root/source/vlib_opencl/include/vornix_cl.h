#define TILE 16
#define CLAMP_PIXEL(v) clamp((v), 0, 255)
