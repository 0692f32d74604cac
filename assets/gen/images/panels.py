"""Pictures of the panels group."""


def images():
    return {}
