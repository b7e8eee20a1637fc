#pragma once

#include "problem/Invariant.h"

// Number of triangles: vertex triples that are pairwise adjacent, each counted once.
class invTRIANGLES : public Invariant
{
public:
    explicit invTRIANGLES(bool withDisplay);
    ~invTRIANGLES() override;

    void recompute() override;
};
