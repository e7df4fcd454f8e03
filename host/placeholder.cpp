// Replaced by the stand-in engine.
