"""Pictures of the winscreen group."""


def images():
    return {}
