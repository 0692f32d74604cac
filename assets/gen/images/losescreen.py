"""Pictures of the losescreen group."""


def images():
    return {}
