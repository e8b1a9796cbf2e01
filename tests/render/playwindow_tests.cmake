# Tests of the play window, display surface, effects and simulation.
