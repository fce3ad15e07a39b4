/* A resource-only library has no code; this file only gives the linker an object. */
