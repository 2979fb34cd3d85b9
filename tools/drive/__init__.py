"""Driving the game's windows from outside, as a person would, for the tests and the measuring
tools alike: the three browser engines behind the same few verbs (browsers), an X server of our own
with a window manager (xsession), and the window's controls by name from the exported control
table (controls). The tests and the tools import this package; neither imports the other's
folders.
"""
